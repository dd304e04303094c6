#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/panels/SnapshotPanel.h"
#include "storage/StorageLayout.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

TEST(SnapshotPanel, SettingsAreKeptAndTheButtonSavesThePictureForAnalysis) {
    WindowHarness h;
    const SnapshotPanel::Widgets& w = h.ui().snapshots;
    EXPECT_TRUE(h.settings().snapshotCleanCopy() && !h.settings().snapshotAnalysisCopy());
    w.cbCleanCopy->click();
    w.cbAnalysisCopy->click();
    EXPECT_TRUE(!h.settings().snapshotCleanCopy() && h.settings().snapshotAnalysisCopy());
    {
        WindowHarness again(h.home());
        EXPECT_TRUE(!again.settings().snapshotCleanCopy() &&
                    again.settings().snapshotAnalysisCopy())
            << "kept for the next run";
    }

    // Without a picture the button says what to do first.
    w.btSaveForAnalysis->click();
    EXPECT_TRUE(h.ui().txt_recording->text().startsWith("Connect a microscope"));
    h.connectCamera();
    h.frame();
    QSignalSpy saved(&h.window->snapshotPanel(), &SnapshotPanel::analysisSaved);
    w.btSaveForAnalysis->click();
    ASSERT_EQ(saved.count(), 1);
    const QString path = saved.front().front().toString();
    EXPECT_TRUE(path.endsWith(".tif") && fs::exists(path.toStdString())) << path;
    EXPECT_EQ(h.ui().txt_recording->text(), "Saved for analysis to " + path);

    // A folder that cannot be written is named in an alert.
    fs::remove_all(h.settings().getStrDocumentsPicture());
    w.btSaveForAnalysis->click();
    ASSERT_EQ(h.alerts->alerts.size(), 1);
    EXPECT_TRUE(h.alerts->alerts.front().startsWith("Could not write")) << h.alerts->alerts.front();
}
