#pragma once
// The names the terminal gives its channels in its messages: digital
// inputs, digital outputs, analog inputs and the sensors. Each page is one
// list of names edited like the message texts.
#include "pages/messages/TextListPage.h"

namespace orlan {

inline constexpr int kNameWaitMs = 3000;

class CPageDinName final : public CTextListPage {
public:
    static constexpr size_t kRows = 4;
    CPageDinName();
};

class CPageDoutName final : public CTextListPage {
public:
    static constexpr size_t kRows = 8;
    CPageDoutName();
};

class CPageADName final : public CTextListPage {
public:
    static constexpr size_t kRows = 4;
    CPageADName();
};

// The sensors report their names as "$ISNAME2: <hex>", several to a line
// when the terminal packs them; the header switch is sent on every click.
class CPageISensorName final : public CTextListPage {
public:
    static constexpr size_t kRows = 6;
    static constexpr std::string_view kHeaderField = "smsHead";
    CPageISensorName();

protected:
    void TakeRow(const SDumpValue& value) override;
};

} // namespace orlan
