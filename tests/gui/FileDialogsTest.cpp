#include "gui/FileDialogs.h"

#include "support/Modal.h"
#include "support/TestDir.h"

#include <QFileDialog>
#include <gtest/gtest.h>

TEST(ExportFileDialog, OffersTheDefaultNameAndAddsTheTextSuffix) {
    TestDir dir;
    const QString defaultName = dir.file(QStringLiteral("CHJ2002.csv"));
    QStringList filters;
    QString suffix;
    bool noOverwriteQuestion = false;
    QString offered;
    whenModalOf("QFileDialog", [&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        noOverwriteQuestion = dialog->testOption(QFileDialog::DontConfirmOverwrite);
        offered = dialog->selectedFiles().value(0);
        acceptFileDialog(dialog, dir.file(QStringLiteral("export")));
    });
    const QString chosen = chooseExportFile(defaultName);
    EXPECT_EQ(filters, QStringList{QStringLiteral("Textdatei (*.txt)")});
    EXPECT_EQ(suffix, QStringLiteral("txt"));
    EXPECT_TRUE(noOverwriteQuestion);
    EXPECT_EQ(offered, defaultName);
    EXPECT_EQ(chosen, dir.file(QStringLiteral("export.txt")));
}
