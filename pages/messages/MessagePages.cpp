#include "pages/PageFamilies.h"
#include "pages/messages/ChannelNamePages.h"
#include "pages/messages/MessageTextPages.h"
#include "pages/messages/RegisterNamePage.h"

namespace orlan {

void AddMessagePages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageAllSms>());
    pages.push_back(std::make_unique<CPageDinAlarm>());
    pages.push_back(std::make_unique<CPageADSms>());
    pages.push_back(std::make_unique<CPageDinName>());
    pages.push_back(std::make_unique<CPageDoutName>());
    pages.push_back(std::make_unique<CPageADName>());
    pages.push_back(std::make_unique<CPageISensorName>());
    pages.push_back(std::make_unique<CPageRname>());
}

} // namespace orlan
