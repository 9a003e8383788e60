#include "session/DetachedSession.h"

#include "pages/AllPages.h"

namespace orlan {

CDetachedSession::CDetachedSession()
{
    for (auto& page : CreateAllPages())
        m_session.AddPage(std::move(page));
}

} // namespace orlan
