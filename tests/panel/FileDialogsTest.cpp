// The programme's own file dialogs, answered through their widgets: the save dialog's
// filter and folder, the extension every name to save under ends in (also a proposed
// name whose time looks like one), the question before another file of the extended
// name is replaced, and the open dialog's existing file.
#include "panel/FileDialogs.h"

#include "support/ModalScript.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

namespace calorant {
namespace {

namespace fs = std::filesystem;
using test::ModalScript;

// Accepts the file dialog with `name` typed in, or with what it proposes.
std::function<void(QWidget&)> accept(const QString& name = QString()) {
    return [name](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        // Typed as a user types it, into the focused name field: a name selected from
        // outside could still give way to the proposed one while the folder loads.
        if (auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            field && !name.isEmpty()) {
            field->setFocus();
            field->setText(name);
        }
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    };
}

std::function<void(QWidget&)> answer(QMessageBox::StandardButton button) {
    return [button](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        box->button(button)->click();
    };
}

void cancel(QWidget& modal) {
    qobject_cast<QDialog*>(&modal)->reject();
}

class FileDialogsTest : public ::testing::Test {
protected:
    FileDialogRequest saveRequest(const QString& proposed) const {
        return {folder, proposed, kDataLoggerSaveFilter, kGraphSuffix};
    }

    QTemporaryDir scratch;
    fs::path folder{scratch.path().toStdU16String()};
};

TEST_F(FileDialogsTest, AProposedNameEndingInATimeIsSavedWithTheGraphExtension) {
    QStringList filters;
    ModalScript script({[&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(fs::path(dialog->directory().absolutePath().toStdU16String()), folder);
        accept()(modal);
    }});
    const auto path = runSaveFileDialog(nullptr, saveRequest("12-07-26 14.30.22"));
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, folder / "12-07-26 14.30.22.graph");
    EXPECT_EQ(filters, QStringList{"DataLogger Files (*.graph *.csv)"});
}

TEST_F(FileDialogsTest, ANameWithOneOfTheFiltersExtensionsKeepsItAndAnyOtherGetsGraph) {
    const struct {
        const char* typed;
        const char* saved;
    } names[] = {{"run", "run.graph"},
                 {"run.csv", "run.csv"},
                 {"run.GRAPH", "run.GRAPH"},
                 {"run.txt", "run.txt.graph"}};
    for (const auto& name : names) {
        ModalScript script({accept(QString::fromLatin1(name.typed))});
        const auto path = runSaveFileDialog(nullptr, saveRequest("proposed"));
        ASSERT_TRUE(path.has_value()) << name.typed;
        EXPECT_EQ(path->filename(), name.saved);
    }
}

TEST_F(FileDialogsTest, AnotherFileUnderTheExtendedNameIsReplacedOnlyWhenTheUserSaysSo) {
    std::ofstream(folder / "14.30.22.graph") << "kept";

    // No: the dialog comes back with the name as typed, and is cancelled.
    QString proposedAgain;
    ModalScript refused({accept(), answer(QMessageBox::No), [&](QWidget& modal) {
                             auto* dialog = qobject_cast<QFileDialog*>(&modal);
                             ASSERT_NE(dialog, nullptr);
                             proposedAgain = dialog->selectedFiles().value(0);
                             cancel(modal);
                         }});
    EXPECT_FALSE(runSaveFileDialog(nullptr, saveRequest("14.30.22")).has_value());
    ASSERT_EQ(refused.seen.size(), 3);
    EXPECT_EQ(
        refused.seen[1],
        QStringLiteral("Calorant: 14.30.22.graph already exists.\nDo you want to replace it?"));
    EXPECT_TRUE(proposedAgain.endsWith(QStringLiteral("/14.30.22"))) << proposedAgain.toStdString();

    ModalScript replaced({accept(), answer(QMessageBox::Yes)});
    const auto path = runSaveFileDialog(nullptr, saveRequest("14.30.22"));
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, folder / "14.30.22.graph");
    EXPECT_EQ(replaced.seen.size(), 2);
}

TEST_F(FileDialogsTest, TheOpenDialogFiltersGraphFilesAndReturnsTheOneChosen) {
    std::ofstream(folder / "set.graph") << "x";
    QStringList filters;
    ModalScript script({[&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        accept(QStringLiteral("set.graph"))(modal);
    }});
    const auto path =
        runOpenFileDialog(nullptr, {folder, QString(), kDataLoggerOpenFilter, kGraphSuffix});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, folder / "set.graph");
    EXPECT_EQ(filters, QStringList{"DataLogger Files (*.graph)"});

    ModalScript cancelled({cancel});
    EXPECT_FALSE(
        runOpenFileDialog(nullptr, {folder, QString(), kDataLoggerOpenFilter, kGraphSuffix}));
}

} // namespace
} // namespace calorant
