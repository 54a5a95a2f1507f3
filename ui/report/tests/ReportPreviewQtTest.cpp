// The program's report output: the print preview shows the pages and prints only when the operator
// asks; drawing cancelled in the progress window closes it.

#include "global/Services.h"
#include "ui/report/PreviewOutput.h"
#include "ui/report/Report.h"
#include "ui/report/tests/support/PdfText.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace ui::report;

namespace {

Report report(int lines)
{
    Report r(QStringLiteral("Podgląd"));
    r.setPageHeader([](const PageInfo& page) {
        Band b(10);
        b.text({0, 0, 200, 8}, QStringLiteral("Nagłówek strony %1").arg(page.page));
        return b;
    });
    for (int i = 1; i <= lines; ++i) {
        Band b(6);
        b.text({0, 0, 200, 6}, QStringLiteral("Wiersz %1").arg(i));
        r.addBand(b);
    }
    return r;
}

class CancelAtOnce : public global::Progress {
public:
    void start(const QString&, qint64) override {}
    bool advance(qint64) override { return false; }
    void finish() override {}
};

// Runs what when the preview has opened.
void whenPreviewOpens(const std::function<void(QPrintPreviewDialog*)>& what)
{
    QTimer::singleShot(0, [what] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        what(dialog);
        if (dialog != nullptr && dialog->isVisible())
            dialog->reject();
    });
}

} // namespace

class ReportPreviewQtTest : public QObject {
    Q_OBJECT
private slots:
    void thePreviewShowsEveryPageAndPrintsOnlyWhenAsked()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
        PreviewOutput preview(printer);
        global::Progress& progress = global::silentProgress();

        int pages = -1;
        QString title;
        whenPreviewOpens([&](QPrintPreviewDialog* dialog) {
            QVERIFY(dialog != nullptr);
            title = dialog->windowTitle();
            pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        });
        QVERIFY(preview.output(report(60), progress));
        QCOMPARE(title, QStringLiteral("Podgląd"));
        QCOMPARE(pages, 2);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("printed.pdf"))));   // only looked at

        whenPreviewOpens([&](QPrintPreviewDialog* dialog) {
            QVERIFY(dialog != nullptr);
            dialog->findChild<QPrintPreviewWidget*>()->print();
        });
        QVERIFY(preview.output(report(60), progress));
        const QString text = testing_support::pdfText(dir.filePath(QStringLiteral("printed.pdf")));
        QVERIFY2(text.contains(QStringLiteral("Nagłówek strony 2")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Wiersz 60")));
    }

    void aBuildCancelledInTheProgressWindowClosesThePreview()
    {
        QPrinter printer(QPrinter::HighResolution);
        PreviewOutput preview(printer);
        CancelAtOnce progress;
        bool stillOpen = false;
        QTimer::singleShot(200, [&] {
            stillOpen = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget()) != nullptr;
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        QVERIFY(!preview.output(report(10), progress));
        QVERIFY(preview.errorText().isEmpty());
        QVERIFY(!stillOpen);
    }
};

QTEST_MAIN(ReportPreviewQtTest)
#include "ReportPreviewQtTest.moc"
