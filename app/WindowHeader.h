#pragma once
// The band at the top of the window: the catalogue's title, the unit the
// last whole read named under it, the tool's own version apart and small
// (so nobody takes it for the terminal's firmware), and the link bar.
#include <QWidget>

class QLabel;

namespace orlan {

class CLabelCatalogue;
class CLinkBar;
class CPage;
class CRegSetting;

class CWindowHeader final : public QWidget {
    Q_OBJECT
public:
    CWindowHeader(const CLabelCatalogue& catalogue, CRegSetting& linkSettings, QWidget* parent);

    CLinkBar& LinkBar() const { return *m_linkBar; }
    // "Unit 100234 — memo" from the main parameters page; nothing while
    // its unit ID is not known.
    void ShowUnit(const CPage* mainParams);
    void ClearUnit();

private:
    QLabel* m_unit = nullptr;
    CLinkBar* m_linkBar = nullptr;
};

} // namespace orlan
