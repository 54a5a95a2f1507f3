// The catalogue window offscreen on a real database with scripted answers: the length and piece
// lists follow the highlighted profile and the tabs, hidden rows are grey, tags made with the space
// key go to the optimizer (only the highlighted profile's, never a hidden length), the lists are read
// again after the optimizer, the stock export text on the clipboard, the profile form from the
// list, and the picker returning the chosen code.

#include "global/Database.h"
#include "global/tests/support/TempDataDir.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/StockLogRules.h"
#include "stock/gui/LengthForm.h"
#include "stock/ProfileForm.h"
#include "stock/gui/PieceSectionsForm.h"
#include "stock/gui/ProfileEditor.h"
#include "stock/gui/ProfileCatalogueWindow.h"
#include "stock/gui/ProfilePicker.h"
#include "stock/gui/StockLogWindow.h"
#include "ui/form/RecordForm.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace global;
using namespace stock;

class ProfileCatalogueQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing_support::TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<ui::ScriptedWindowContext> scripted_;
    QList<OptimizerRequest> calls_;
    std::function<void()> duringOptimizer_;

    Database& db() { return *db_; }
    ui::WindowContext& context() { return scripted_->context; }

    uint32_t profile(const QString& code, uint32_t remnant, uint16_t status = 0)
    {
        Table<ProfileRecord> profiles(db());
        ProfileRecord p;
        p.profileCode = code;
        p.remnantLenght = remnant;
        p.status = status;
        p.uom = QStringLiteral("mm");
        [&] { QCOMPARE(profiles.addWithNewIdentifier(p), 0); }();
        return p.id;
    }
    uint32_t length(uint32_t profile, uint32_t lenght, int32_t intStock, uint32_t extStock = 0, int32_t incom = 0,
                    uint32_t status = 0, uint16_t unlimited = 0, uint16_t blocked = 0, uint32_t typical = 0)
    {
        Table<ProfileLengthRecord> lengths(db());
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = intStock;
        l.extStock = extStock;
        l.incomStock = incom;
        l.status = status;
        l.unlimitedStock = unlimited;
        l.blockSelection = blocked;
        l.typicalLength = typical;
        [&] { QCOMPARE(lengths.addWithNewIdentifier(l), 0); }();
        return l.id;
    }
    uint32_t piece(uint32_t profile, uint32_t lenght, uint32_t pcs, uint16_t status)
    {
        Table<CutRecord> cuts(db());
        CutRecord c;
        c.profileId = profile;
        c.orderId = 1;
        c.lenght = lenght;
        c.pcs = pcs;
        c.status = status;
        [&] { QCOMPARE(cuts.addWithNewIdentifier(c), 0); }();
        return c.id;
    }

    CatalogueHandOvers handOvers()
    {
        CatalogueHandOvers h;
        h.optimizer = [this](const OptimizerRequest& request, QWidget*) {
            calls_ << request;
            if (duringOptimizer_)
                duringOptimizer_();
        };
        return h;
    }

    static int rowOfCode(ProfileList& list, const QString& code)
    {
        for (int row = 0; row < list.model().rowCount(); ++row)
            if (list.model().record(row).profileCode == code)
                return row;
        return -1;
    }
    static QStringList lengthsShown(LengthList& list)
    {
        QStringList shown;
        for (int row = 0; row < list.model().rowCount(); ++row)
            shown << QString::number(list.model().record(row).lenght);
        return shown;
    }
    static QStringList cell(QAbstractItemModel& model, int row)
    {
        QStringList texts;
        for (int column = 0; column < model.columnCount(); ++column)
            texts << model.data(model.index(row, column), Qt::DisplayRole).toString();
        return texts;
    }
    static void pressSpace(QTableView& list)
    {
        QTest::keyClick(&list, Qt::Key_Space);
    }

    // Two profiles with lengths and pieces of every status.
    uint32_t a_ = 0, b_ = 0, hidden_ = 0;
    uint32_t a6000_ = 0, a4000_ = 0, aEmpty_ = 0, aHidden_ = 0, aBlocked_ = 0, b6000_ = 0;
    void fillSample()
    {
        a_ = profile(QStringLiteral("AL-40"), 500);
        b_ = profile(QStringLiteral("ST-20"), 300);
        hidden_ = profile(QStringLiteral("OLD"), 300, 1);
        a6000_ = length(a_, 6000, 5, 2, 1, 0, 1);
        a4000_ = length(a_, 4000, 3);
        aEmpty_ = length(a_, 3000, 0, 0, 0, 0, 0, 0, 3000);
        aHidden_ = length(a_, 2000, 4, 0, 0, 1);
        aBlocked_ = length(a_, 5000, 2, 0, 0, 0, 0, 1);
        b6000_ = length(b_, 6000, 7);
        piece(a_, 1500, 4, 0);
        piece(a_, 2000, 3, 1);
        piece(a_, 1200, 2, 1);
        piece(b_, 1000, 10, 2);
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        db_ = std::make_unique<Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        scripted_ = std::make_unique<ui::ScriptedWindowContext>(*db_);
        scripted_->clock.set(QDateTime(QDate(2026, 3, 9), QTime(7, 5, 9)));
        calls_.clear();
        duringOptimizer_ = {};
        fillSample();
    }

    void opensWithTheOpeningBalanceAndTheActiveProfiles()
    {
        ProfileCatalogueWindow window(context(), handOvers());
        QCOMPARE(Table<StockChangeRecord>(db()).count(Table<StockChangeRecord>::Auto), 6);
        QVERIFY(bool(testing_support::stockLogExplainsStock(db())));
        ProfileList& list = window.profiles();
        QCOMPARE(list.model().rowCount(), 2);   // the hidden profile is left out of "Aktywne"
        QCOMPARE(list.current()->profileCode, QStringLiteral("AL-40"));
        // Kod, remnant, ordered pieces and metres (new and approved), own stock and its metres
        const QStringList first = cell(list.model(), 0);
        QCOMPARE(first.mid(0, 6), (QStringList{QStringLiteral("AL-40"), QStringLiteral("500"), QStringLiteral("9"),
                                               QStringLiteral("14.40"), QStringLiteral("14"),
                                               QStringLiteral("60.00")}));
        list.chooseTab(4);   // "Wszystkie"
        QCOMPARE(list.model().rowCount(), 3);
        const int old = rowOfCode(list, QStringLiteral("OLD"));
        QCOMPARE(list.model().data(list.model().index(old, 0), Qt::BackgroundRole).value<QColor>(),
                 QColor(217, 217, 217));
        QVERIFY(!list.model().data(list.model().index(rowOfCode(list, QStringLiteral("AL-40")), 0),
                                   Qt::BackgroundRole).isValid());
    }

    void theListsFollowTheHighlightedProfileAndTheTabs()
    {
        ProfileCatalogueWindow window(context(), handOvers());
        LengthList& lengths = window.lengths();
        PieceList& pieces = window.pieces();
        // "Aktywne": visible lengths holding something, longest first
        QCOMPARE(lengthsShown(lengths), (QStringList{"6000", "5000", "4000"}));
        QCOMPARE(pieces.model().rowCount(), 2);   // "Zatwierdzone"
        QCOMPARE(pieces.model().record(0).lenght, 2000u);

        lengths.chooseTab(1);
        QCOMPARE(lengthsShown(lengths), (QStringList{"6000", "5000", "4000", "3000", "2000"}));
        const int hiddenRow = 4;
        QCOMPARE(lengths.model().data(lengths.model().index(hiddenRow, 2), Qt::BackgroundRole).value<QColor>(),
                 QColor(217, 217, 217));

        window.profiles().setCurrentRow(rowOfCode(window.profiles(), QStringLiteral("ST-20")));
        QCOMPARE(lengthsShown(lengths), (QStringList{"6000"}));
        QCOMPARE(lengths.model().record(0).profileId, b_);
        QCOMPARE(pieces.model().rowCount(), 0);   // ST-20 has only pieces in production

        window.profiles().chooseTab(3);   // "W prod.": the piece list follows to "W produkcji"
        QCOMPARE(window.profiles().model().rowCount(), 1);
        QCOMPARE(window.profiles().current()->profileCode, QStringLiteral("ST-20"));
        QCOMPARE(pieces.currentTab(), 2);
        QCOMPARE(pieces.model().rowCount(), 1);
        QCOMPARE(pieces.model().record(0).pcs, 10u);
        QCOMPARE(cell(window.profiles().model(), 0).at(2), QStringLiteral("10"));

        window.profiles().chooseTab(2);   // "Nowe"
        QCOMPARE(window.profiles().current()->profileCode, QStringLiteral("AL-40"));
        QCOMPARE(pieces.currentTab(), 1);
        QCOMPARE(pieces.model().rowCount(), 1);
        QCOMPARE(pieces.model().record(0).lenght, 1500u);
        QCOMPARE(lengths.model().record(0).profileId, a_);
    }

    void tagsGoToTheOptimizerOfTheirProfileOnly()
    {
        ProfileCatalogueWindow window(context(), handOvers());
        LengthList& lengths = window.lengths();
        lengths.chooseTab(1);
        lengths.setCurrentRow(0);   // 6000
        pressSpace(lengths.list());
        lengths.setCurrentRow(1);   // 5000, excluded from optimisation: cannot be tagged
        pressSpace(lengths.list());
        lengths.setCurrentRow(4);   // 2000, hidden
        pressSpace(lengths.list());
        QVERIFY(window.tags().contains(a6000_));
        QVERIFY(!window.tags().contains(aBlocked_));
        QCOMPARE(lengths.model().data(lengths.model().index(0, 7), Qt::DisplayRole).toString(), QStringLiteral("1"));
        QVERIFY(!lengths.model().data(lengths.model().index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());

        window.profiles().setCurrentRow(rowOfCode(window.profiles(), QStringLiteral("ST-20")));
        window.lengths().setCurrentRow(0);
        pressSpace(window.lengths().list());
        QVERIFY(window.tags().contains(b6000_));

        window.profiles().setCurrentRow(rowOfCode(window.profiles(), QStringLiteral("AL-40")));
        window.extendLength().setText(QStringLiteral("450"));
        window.selectionStart().setText(QStringLiteral("9"));
        window.button(QStringLiteral("OPTYMALIZATOR2"))->click();
        QCOMPARE(calls_.size(), 1);
        QCOMPARE(calls_.at(0).profile, a_);
        QCOMPARE(calls_.at(0).mode, uint8_t(2));
        QCOMPARE(calls_.at(0).status, uint8_t(1));
        QCOMPARE(calls_.at(0).selectionStart, 9u);
        QCOMPARE(calls_.at(0).extend, 0u);
        QCOMPARE(calls_.at(0).lengths, (std::vector<uint32_t>{a6000_}));   // never ST-20's, never the hidden one

        window.pieces().chooseTab(1);
        window.button(QStringLiteral("EXTEND"))->click();
        QCOMPARE(calls_.size(), 2);
        QCOMPARE(calls_.at(1).mode, uint8_t(0));
        QCOMPARE(calls_.at(1).extend, 450u);
        QCOMPARE(calls_.at(1).status, uint8_t(2));

        // Blocking the tagged length untags it.
        window.lengths().setCurrentRow(0);
        window.button(QStringLiteral("BLOCK"))->click();
        QVERIFY(!window.tags().contains(a6000_));
        // Only the hidden 2000 is still tagged: the optimizer is not started.
        window.button(QStringLiteral("OPTYMALIZATOR1"))->click();
        QCOMPARE(calls_.size(), 2);
        QCOMPARE(scripted_->dialogs.messages().last(), noLengthsToOptimizeMessage());
    }

    void theListsAreReadAgainAfterTheOptimizer()
    {
        ProfileCatalogueWindow window(context(), handOvers());
        duringOptimizer_ = [this] {
            Table<ProfileLengthRecord> lengths(db());
            ProfileLengthRecord l;
            l.id = a6000_;
            QCOMPARE(lengths.fetch(Table<ProfileLengthRecord>::Auto, l), 0);
            l.intStock = 1;
            l.incomStock = 3;
            QCOMPARE(lengths.update(l), 0);
            Table<CutRecord> cuts(db());
            CutRecord c;
            c.profileId = a_;
            c.status = 1;
            for (const CutRecord& approved : cuts.rows(Table<CutRecord>::ByProfileStatus, c, 2)) {
                CutRecord moved = approved;
                QCOMPARE(cuts.fetch(Table<CutRecord>::Auto, moved), 0);
                moved.status = 2;
                QCOMPARE(cuts.update(moved), 0);
            }
        };
        window.button(QStringLiteral("OPTYMALIZATOR4"))->click();
        QCOMPARE(window.lengths().model().record(0).intStock, 1);
        QCOMPARE(window.pieces().model().rowCount(), 0);
        QCOMPARE(cell(window.profiles().model(), 0).at(4), QStringLiteral("10"));   // own stock: 1 + 2 + 3 + 0 + 4
    }

    void theStockExportTextOnTheClipboard()
    {
        ProfileCatalogueWindow window(context(), handOvers());
        window.button(QStringLiteral("EXCELEXPORT"))->click();
        const auto n = [](qint64 v) { return QStringLiteral("%1").arg(v, 13); };
        const QString tab = QStringLiteral("\t");
        const QString cr = QStringLiteral("\r");
        const auto line = [&](const QString& code, int remnant, int lenght, int i, int e, int p, bool unlimited) {
            return QStringList{code, n(remnant), n(lenght), n(i), n(e), n(p), unlimited ? QStringLiteral("TAK")
                                                                                        : QString()}
                       .join(tab)
                + cr;
        };
        QString expected = QStringLiteral(" Stany magazynowe na 09.03.2026 07:05:09") + cr
            + QStringLiteral("Profil\tMin. odpad użytk. [mm]\tDługość [mm]\tMagazyn [szt]\tZewn. mag. [szt]\t"
                             "W produkcji [szt]\tHurtownia")
            + cr;
        // "Aktywne": the empty 3000 is kept as a commercial length; OLD has no lengths.
        expected += line(QStringLiteral("AL-40"), 500, 6000, 5, 2, 1, true) + line(QStringLiteral("AL-40"), 500, 5000, 2, 0, 0, false)
            + line(QStringLiteral("AL-40"), 500, 4000, 3, 0, 0, false) + line(QStringLiteral("AL-40"), 500, 3000, 0, 0, 0, false)
            + line(QStringLiteral("AL-40"), 500, 2000, 4, 0, 0, false) + line(QStringLiteral("OLD"), 300, 0, 0, 0, 0, false)
            + line(QStringLiteral("ST-20"), 300, 6000, 7, 0, 0, false);
        QCOMPARE(scripted_->clipboard.text(), expected);
        QCOMPARE(scripted_->dialogs.messages().last(),
                 QStringLiteral("Dane w schowku. Proszę otworzyć arkusz kalkulacyjny i wkeić dane w dowolne miejsce"));
    }

    void piecesAreBlockedAndTheirJoinsRemoved()
    {
        Table<CutRecord> cuts(db());
        CutRecord joined;
        joined.profileId = a_;
        joined.orderId = 1;
        joined.status = 1;
        joined.lenght = 9000;
        joined.pcs = 1;
        joined.lenght1 = 6000;
        joined.lenght2 = 3000;
        joined.sectionPerc = 66.7;
        QCOMPARE(cuts.addWithNewIdentifier(joined), 0);

        ProfileCatalogueWindow window(context(), handOvers());
        PieceList& pieces = window.pieces();
        QCOMPARE(pieces.current()->id, joined.id);   // longest first
        QVERIFY(window.button(QStringLiteral("DELEXTEND"))->isEnabled());
        QVERIFY(!window.button(QStringLiteral("EXTEND:2"))->isEnabled());   // no join editor handed over
        window.button(QStringLiteral("BLOCKCUT"))->click();
        QCOMPARE(pieces.current()->block, uint16_t(1));
        QVERIFY(!pieces.model().data(pieces.model().index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
        scripted_->dialogs.planAnswers({0});
        window.button(QStringLiteral("DELEXTEND"))->click();
        QCOMPARE(pieces.current()->lenght1, 0u);
        QVERIFY(!window.button(QStringLiteral("DELEXTEND"))->isEnabled());
    }

    void aProfileAddedThroughTheForm()
    {
        ProfileCatalogueWindow window(context(), handOvers());
        global::glo().defUom = QStringLiteral("cm");
        bool stayedOpen = false;
        QTimer::singleShot(0, [&stayedOpen] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            QCOMPARE(form->fieldText(int(ProfileFormField::Uom)), QStringLiteral("cm"));
            form->setFieldText(int(ProfileFormField::Code), QStringLiteral("st-20"));   // ST-20 exists
            form->setFieldText(int(ProfileFormField::RemnantLenght), QStringLiteral("250"));
            form->setFieldText(int(ProfileFormField::Symetrical), QStringLiteral("1"));
            form->pressOk();
            stayedOpen = form->isVisible();
            form->setFieldText(int(ProfileFormField::Code), QStringLiteral("BB-10"));
            form->pressOk();
        });
        window.profiles().insertRecord();
        global::glo().defUom = QStringLiteral("mm");
        QVERIFY(stayedOpen);
        QCOMPARE(scripted_->dialogs.messages().last(), duplicateCodeMessage());
        QCOMPARE(window.profiles().current()->profileCode, QStringLiteral("BB-10"));
        QCOMPARE(window.profiles().current()->uom, QStringLiteral("cm"));
        QCOMPARE(window.profiles().current()->symetrical, uint16_t(1));
        QCOMPARE(window.profiles().current()->remnantLenght, 250u);
        QCOMPARE(window.lengths().model().rowCount(), 0);   // the new profile has no lengths yet
    }

    void theProfileFormFromTheList()
    {
        ProfileCatalogueWindow window(context(), handOvers());
        // Delete: the question, then the profile and its lengths are gone; the list stands on the next.
        scripted_->dialogs.planAnswers({0});
        window.profiles().deleteRecord();
        QCOMPARE(window.profiles().model().rowCount(), 1);
        QCOMPARE(window.profiles().current()->profileCode, QStringLiteral("ST-20"));
        QCOMPARE(window.lengths().model().record(0).profileId, b_);
        QCOMPARE(Table<ProfileLengthRecord>(db()).count(Table<ProfileLengthRecord>::Auto), 1);
    }

    void theStockWindowsOpenFromTheLists()
    {
        CatalogueHandOvers windows = stockWindows(context());
        windows.optimizer = handOvers().optimizer;
        ProfileCatalogueWindow window(context(), windows);
        LengthList& lengths = window.lengths();
        QVERIFY(!lengths.button(QStringLiteral("INSERT"))->isHidden());

        QTimer::singleShot(0, [] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            form->setFieldText(gui::LengthEditor::Lenght, QStringLiteral("7000"));
            form->setFieldText(gui::LengthEditor::IntStock, QStringLiteral("6"));
            form->pressOk();
        });
        QTest::keyClick(&lengths.list(), Qt::Key_Insert);
        QCOMPARE(lengths.current()->lenght, 7000u);
        QCOMPARE(lengths.current()->profileId, a_);
        QCOMPARE(cell(window.profiles().model(), 0).at(4), QStringLiteral("20"));   // the profile's own stock follows

        scripted_->dialogs.planAnswers({0});   // "Na pewno usunąć tę długość ?"
        QTest::keyClick(&lengths.list(), Qt::Key_Delete);
        QCOMPARE(lengthsShown(lengths), (QStringList{"6000", "5000", "4000"}));
        QCOMPARE(lengths.current()->lenght, 6000u);
        QVERIFY(bool(testing_support::stockLogExplainsStock(db())));

        window.button(QStringLiteral("LOG_LENGHT"))->click();
        gui::StockLogWindow* log = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* shown = dynamic_cast<gui::StockLogWindow*>(top))
                log = shown;
        QVERIFY(log);
        QCOMPARE(log->profileId(), a_);
        QCOMPARE(log->length(), 6000u);
        log->close();

        QVERIFY(window.button(QStringLiteral("EXTEND:2"))->isEnabled());
        QString opened;
        QTimer::singleShot(0, [&opened] {
            QWidget* form = QApplication::activeModalWidget();
            QVERIFY(form);
            opened = form->objectName();
            qobject_cast<QDialog*>(form)->done(QDialog::Rejected);
        });
        window.button(QStringLiteral("EXTEND:2"))->click();
        QCOMPARE(opened, gui::PieceSectionsFormName);
    }

    void closingKeepsTheSplittersAndTheListLayouts()
    {
        QList<int> sizes;
        {
            ProfileCatalogueWindow window(context(), handOvers());
            window.resize(900, 700);
            window.show();
            auto* splitter = window.findChild<QSplitter*>(QStringLiteral("REGION1"));
            QVERIFY(splitter);
            splitter->setSizes({100, 300, 200});   // far from the window's own 3 : 2 : 2
            sizes = splitter->sizes();
            QCOMPARE(scripted_->layouts.positionCount(), 0);
            window.close();
            QCOMPARE(scripted_->layouts.positionCount(), 2);   // ?REGION1 and ?REGION2
            for (const char* list : {"ProfilesList", "ProfilesLengths", "ProfilesCuts"}) {   // each list's layout
                layout::ListKey key;
                key.procId = QString::fromLatin1(list);
                key.userId = context().stationNumber;
                QList<ListFormatRecord> formats;
                QVERIFY(scripted_->layouts.formatsOf(key, formats).ok());
                QVERIFY2(!formats.isEmpty(), list);
            }
        }
        ProfileCatalogueWindow again(context(), handOvers());
        again.resize(900, 700);
        again.show();
        const QList<int> restored = again.findChild<QSplitter*>(QStringLiteral("REGION1"))->sizes();
        QCOMPARE(restored.size(), 3);
        for (int i : {0, 1})   // the handles stand where they were left, to the width of a handle
            QVERIFY2(qAbs(restored.at(i) - sizes.at(i)) <= 10,
                     qPrintable(QStringLiteral("%1 restored as %2").arg(sizes.at(i)).arg(restored.at(i))));
    }

    void thePickerReturnsTheChosenCode()
    {
        ProfilePicker picker(context(), {});
        QCOMPARE(picker.profiles().model().rowCount(), 2);
        picker.profiles().chooseTab(1);
        QCOMPARE(picker.profiles().model().rowCount(), 3);
        picker.profiles().chooseTab(2);   // "Do Produkcji": new or approved pieces
        QCOMPARE(picker.profiles().model().rowCount(), 1);
        QCOMPARE(picker.lengths().model().record(0).profileId, a_);
        QVERIFY(!picker.button(QStringLiteral("LOG_PROF"))->isEnabled());

        QString code = QStringLiteral("unchanged");
        QTimer::singleShot(0, [] {
            auto* shown = qobject_cast<ProfilePicker*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            QVERIFY(shown->button(QStringLiteral("LOG_PROF"))->isEnabled());   // the stock windows are there
            shown->profiles().chooseTab(1);
            shown->profiles().setCurrentRow(rowOfCode(shown->profiles(), QStringLiteral("ST-20")));
            shown->button(QStringLiteral("SELECT"))->click();
        });
        QCOMPARE(selectProfile(context(), code), ui::FormResponse::Done);
        QCOMPARE(code, QStringLiteral("ST-20"));

        QTimer::singleShot(0, [] {
            auto* shown = qobject_cast<ProfilePicker*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            shown->button(QStringLiteral("CLOSE"))->click();
        });
        QCOMPARE(selectProfile(context(), code), ui::FormResponse::Cancelled);
        QCOMPARE(code, QStringLiteral("ST-20"));
    }
};

QTEST_MAIN(ProfileCatalogueQtTest)
#include "ProfileCatalogueQtTest.moc"
