#pragma once
// The optimizer window's texts. They are written in Polish; with the language setting "EN" the
// window takes the English translation compiled into the library (":/i18n/kadrel_window_en.qm"),
// whatever other translations the program has installed.

#include <QString>
#include <QTranslator>
#include <QtGlobal>

#include <memory>

namespace kadrel {

namespace text {
// Each text is found in the translation by its source and its name (two texts may share a source).
struct Id {
    const char* source;
    const char* name;
};
#define KADREL_TEXT(name, source) inline constexpr Id name{source, #name}
KADREL_TEXT(WindowTitle, "Ekran kontrolny procesu optymalizacji");
KADREL_TEXT(SortGroup, "Sortowanie wyników");
KADREL_TEXT(SortTotalScrap, "Odp. całk.");
KADREL_TEXT(SortPureScrap, "Odp. nieużyteczny");
KADREL_TEXT(SortCost, "Koszty");
KADREL_TEXT(ExtensionExportTip, "Eksport połączeń technologicznych (stykowań)");
KADREL_TEXT(SaveTip, "Zapisz rozkrój do bazy = dyspozycja wykonania cięcia");
KADREL_TEXT(PrintTip, "Drukuj raport / dyspozycję szczegółowo");
KADREL_TEXT(PrintSumTip, "Drukuj sumarycznie - grupuj takie same rozkroje ");
KADREL_TEXT(ExcelExportTip, "Eksport specyfikacji rozkroju do arkusza przez schowek");
KADREL_TEXT(CloseTip, "Zamknij");
KADREL_TEXT(ResultsExportTip, "Eksport wszystkich wyników do schowka");

KADREL_TEXT(DemandCaption, "Lista odcinków do wykonania");
KADREL_TEXT(DemandId, "Lp");
KADREL_TEXT(DemandLength, "Długość");
KADREL_TEXT(DemandQuantity, "Ilość");

KADREL_TEXT(StockCaption, "Lista dostępnych długości profili do cięcia");
KADREL_TEXT(StockId, "Id");
KADREL_TEXT(StockLength, "Długość");
KADREL_TEXT(StockUsed, "Zużycie");
KADREL_TEXT(StockStock, "Magazyn");
KADREL_TEXT(StockExternal, "Mag. zewn.");
KADREL_TEXT(StockProcess, "W prod.");

KADREL_TEXT(RankingCaption, "L i s t a    d o s t ę p n y c h    r o z w i ą z a ń ");
KADREL_TEXT(RankingNumber, "Numer");
KADREL_TEXT(RankingProfiles, "Profile");
KADREL_TEXT(RankingCuts, "Odcinki");
KADREL_TEXT(RankingUsed, "Zużycie");
KADREL_TEXT(RankingScrap, "Odp. całk.");
KADREL_TEXT(RankingPureScrap, "Odp. nieuż.");
KADREL_TEXT(RankingCost, "Koszt całk.");
KADREL_TEXT(RankingMaxScrap, "Dł. max. odp");
KADREL_TEXT(RankingExtensions, "Łączenia");
KADREL_TEXT(RankingReused, "Zużyty odpad");

KADREL_TEXT(SpecificationCaption, "S p e c y f i k a c j a    w y b r a n e g o    r o z w i ą z a n i a");
KADREL_TEXT(SpecificationId, "Lp");
KADREL_TEXT(SpecificationLength, "Dł. profila");
KADREL_TEXT(SpecificationCuts, "Specyfikacja rozkroju");
KADREL_TEXT(SpecificationLeftover, "Odpad całk.");

KADREL_TEXT(StatisticsCaption, "S T A T Y S T Y K A    W Y B R A N E G O    R O Z K R O J U");
KADREL_TEXT(Statistic1, "1. Długość wybranych profili [mb]");
KADREL_TEXT(Statistic2, "2. Ilość sztuk profili do cięcia");
KADREL_TEXT(Statistic3, "3. Długość wycietych odcinków [mb]");
KADREL_TEXT(Statistic4, "4. Ilość odcnków do wykonania");
KADREL_TEXT(Statistic5, "5. Długość odpadu całkowitego [mb]");
KADREL_TEXT(Statistic6, "6. W tym nieużytkowego [mb]");
KADREL_TEXT(Statistic7, "7. Użytkowego [mb]");
KADREL_TEXT(Statistic8, "8. Ilość szt. zwracanyc odc. do mag.");
KADREL_TEXT(Statistic9, "9. Opiłki z piły [mb]");
KADREL_TEXT(Statistic10, "10. Szerokość piły [ mm ]");
KADREL_TEXT(Statistic11, "11. Ilość łączeń technologicznych");
KADREL_TEXT(StatisticLowerBound, "Dolna granica [mb]");
KADREL_TEXT(StatisticExcess, "Nadmiar ponad granicę [%]");
KADREL_TEXT(NoJointsInMethod5, "Metoda 5 planuje bez łączeń");
#undef KADREL_TEXT
} // namespace text

class WindowTexts {
public:
    explicit WindowTexts(bool english);

    // The text in the window's language; a source without translation stays Polish.
    QString operator()(const text::Id& id) const;
    bool english() const { return english_; }
    // Switches the language (the window follows a change of the language setting).
    void setEnglish(bool english);

private:
    std::unique_ptr<QTranslator> translator_;
    bool english_ = false;
};

} // namespace kadrel
