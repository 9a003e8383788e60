#include "tools/RecordListLook.h"

#include <algorithm>

#include <QHeaderView>
#include <QStyle>
#include <QIdentityProxyModel>
#include <QPointer>
#include <QStyledItemDelegate>

#include "labels/TextCodec.h"
#include "pages/messages/TextListPage.h"
#include "pages/logs/TempRecordList.h"
#include "session/TerminalSession.h"
#include "widgets/TableModel.h"
#include "widgets/TableView.h"

namespace orlan {

namespace {

constexpr std::string_view kSensorNamesPage = "CPageISensorName";

// A state digit shown as the page's word for it.
class CStateWordDelegate final : public QStyledItemDelegate {
public:
    CStateWordDelegate(const CTempRecordPage& page, QObject* parent) : QStyledItemDelegate(parent), m_page(page) {}

    QString displayText(const QVariant& value, const QLocale&) const override
    {
        return QString::fromStdString(m_page.StateWord(value.toString().toStdString()));
    }

private:
    const CTempRecordPage& m_page;
};

} // namespace

// The header's texts: the list's own, some replaced.
class CHeaderTexts final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < m_texts.size() && !m_texts[section].isEmpty())
            return m_texts[section];
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    void SetText(int section, const QString& text)
    {
        while (m_texts.size() <= section)
            m_texts.append(QString());
        if (m_texts[section] == text)
            return;
        m_texts[section] = text;
        Q_EMIT headerDataChanged(Qt::Horizontal, section, section);
    }

private:
    QStringList m_texts;
};

std::vector<QString> SensorNames(const CTerminalSession& session)
{
    std::vector<QString> names(CTempRecordPage::kSensors);
    const auto* page = dynamic_cast<const CTextListPage*>(session.FindPage(kSensorNamesPage));
    for (size_t k = 0; page != nullptr && k < names.size() && k < page->Rows(); ++k) {
        const std::string& text = page->Text(k);
        if (!IsUndecodedUcs2(text))
            names[k] = QString::fromStdString(text).trimmed();
    }
    return names;
}

void FollowSensorNames(const CTerminalSession& session, QObject* owner, std::function<void()> changed)
{
    if (CPage* page = session.FindPage(kSensorNamesPage)) {
        page->AddObserver([owner = QPointer<QObject>(owner), changed = std::move(changed)] {
            if (owner)
                changed();
        });
    }
}

namespace {

// Room for a text in a header section or cell beside the frame's margins.
int TextRoom(const QWidget& widget, const QString& text, int extra)
{
    const int margin = widget.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &widget);
    return widget.fontMetrics().horizontalAdvance(text) + 2 * margin + extra;
}

} // namespace

CRecordListLook::CRecordListLook(CTableView& list, const CTempRecordPage& page) : m_list(list)
{
    auto* words = new CStateWordDelegate(page, &list);
    const int first = list.TableModel()->FirstDataColumn();
    // A state column is as wide as its longest word beside its icon.
    int stateWidth = 0;
    const int icon = list.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &list);
    for (const char* state : {"0", "1", "2"})
        stateWidth = std::max(stateWidth, TextRoom(list, QString::fromStdString(page.StateWord(state)), 2 * icon + 4));
    for (size_t k = 0; k < CTempRecordPage::kSensors; ++k) {
        const int column = first + static_cast<int>(CTempRecordPage::StateColumn(k));
        list.setItemDelegateForColumn(column, words);
        list.setColumnWidth(column, stateWidth);
    }

    // The header reads its texts through the proxy; the sections keep the
    // widths the list gave them.
    QHeaderView* header = list.horizontalHeader();
    std::vector<int> widths;
    for (int c = 0; c < header->count(); ++c)
        widths.push_back(header->sectionSize(c));
    m_header = new CHeaderTexts(&list);
    m_header->setSourceModel(list.TableModel());
    header->setModel(m_header);
    for (int c = 0; c < header->count() && c < static_cast<int>(widths.size()); ++c)
        header->resizeSection(c, widths[static_cast<size_t>(c)]);
}

void CRecordListLook::NameSensors(const std::vector<QString>& names)
{
    const int first = m_list.TableModel()->FirstDataColumn();
    for (size_t k = 0; k < CTempRecordPage::kSensors; ++k) {
        const QString name = k < names.size() ? names[k] : QString();
        const int column = first + static_cast<int>(CTempRecordPage::TemperatureColumn(k));
        m_header->SetText(column, name.isEmpty() ? QString() : name + QStringLiteral(" (\u00B0C)"));
        // A name wider than the column widens it; the column never shrinks.
        const QString caption = m_header->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        QHeaderView* header = m_list.horizontalHeader();
        header->resizeSection(column, std::max(header->sectionSize(column), TextRoom(*header, caption, 0)));
    }
}

} // namespace orlan
