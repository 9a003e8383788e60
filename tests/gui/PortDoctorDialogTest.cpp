// The port doctor's dialog: offered beside the window, never modal, one at a
// time, and it says what the doctor found.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QWidget>

#include "app/PortDoctorDialog.h"

namespace orlan {
namespace {

QString AllLabels(const QWidget& dialog)
{
    QString text;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        text += label->text() + QLatin1Char('\n');
    return text;
}

TEST(PortDoctorDialog, ShowsTheFindingsWithoutBlockingAndReplacesAnEarlierOne)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("ttyUSB9"));
    QWidget window;
    ShowPortDoctor(&window, missing);
    auto* first = window.findChild<CPortDoctorDialog*>();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_TRUE(AllLabels(*first).contains(QStringLiteral("does not exist"))) << AllLabels(*first).toStdString();
    EXPECT_TRUE(first->FindingsAsText().startsWith(missing));

    ShowPortDoctor(&window, folder.path());  // a second failure, on another port
    int shown = 0;
    for (const CPortDoctorDialog* dialog : window.findChildren<CPortDoctorDialog*>())
        shown += dialog->isVisible() && dialog != first ? 1 : 0;
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(first->isVisible()) << "the earlier one is closed";
}

} // namespace
} // namespace orlan
