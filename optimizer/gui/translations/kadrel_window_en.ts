<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="pl_PL">
<context>
    <name>OptimizerWindow</name>
    <message>
        <source>Ekran kontrolny procesu optymalizacji</source>
        <comment>WindowTitle</comment>
        <translation>Cutting optimization- control screen</translation>
    </message>
    <message>
        <source>Sortowanie wyników</source>
        <comment>SortGroup</comment>
        <translation>Results sorting</translation>
    </message>
    <message>
        <source>Odp. całk.</source>
        <comment>SortTotalScrap</comment>
        <translation>Remn.+scrap</translation>
    </message>
    <message>
        <source>Odp. nieużyteczny</source>
        <comment>SortPureScrap</comment>
        <translation>Pure scrap only</translation>
    </message>
    <message>
        <source>Koszty</source>
        <comment>SortCost</comment>
        <translation>Cost</translation>
    </message>
    <message>
        <source>Eksport połączeń technologicznych (stykowań)</source>
        <comment>ExtensionExportTip</comment>
        <translation>Extension export to clipboard in spreadsheet format</translation>
    </message>
    <message>
        <source>Zapisz rozkrój do bazy = dyspozycja wykonania cięcia</source>
        <comment>SaveTip</comment>
        <translation>Zapisz rozkrój do bazy = dyspozycja wykonania cięcia</translation>
    </message>
    <message>
        <source>Drukuj raport / dyspozycję szczegółowo</source>
        <comment>PrintTip</comment>
        <translation>Print selected report / cutting order</translation>
    </message>
    <message>
        <source>Drukuj sumarycznie - grupuj takie same rozkroje </source>
        <comment>PrintSumTip</comment>
        <translation>Drukuj sumarycznie - grupuj takie same rozkroje </translation>
    </message>
    <message>
        <source>Eksport specyfikacji rozkroju do arkusza przez schowek</source>
        <comment>ExcelExportTip</comment>
        <translation>Cutting specification export to clipboard - second format</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <comment>CloseTip</comment>
        <translation>Close</translation>
    </message>
    <message>
        <source>Eksport wszystkich wyników do schowka</source>
        <comment>ResultsExportTip</comment>
        <translation>Export all results to clipboard</translation>
    </message>
    <message>
        <source>Lista odcinków do wykonania</source>
        <comment>DemandCaption</comment>
        <translation>Cut lengths list</translation>
    </message>
    <message>
        <source>Lp</source>
        <comment>DemandId</comment>
        <translation>Id</translation>
    </message>
    <message>
        <source>Długość</source>
        <comment>DemandLength</comment>
        <translation>Length</translation>
    </message>
    <message>
        <source>Ilość</source>
        <comment>DemandQuantity</comment>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Lista dostępnych długości profili do cięcia</source>
        <comment>StockCaption</comment>
        <translation>List of accessible lengths</translation>
    </message>
    <message>
        <source>Id</source>
        <comment>StockId</comment>
        <translation>Id</translation>
    </message>
    <message>
        <source>Długość</source>
        <comment>StockLength</comment>
        <translation>Lengths</translation>
    </message>
    <message>
        <source>Zużycie</source>
        <comment>StockUsed</comment>
        <translation>Consumpt.</translation>
    </message>
    <message>
        <source>Magazyn</source>
        <comment>StockStock</comment>
        <translation>Stock</translation>
    </message>
    <message>
        <source>Mag. zewn.</source>
        <comment>StockExternal</comment>
        <translation>Ext. stock</translation>
    </message>
    <message>
        <source>W prod.</source>
        <comment>StockProcess</comment>
        <translation>In prod.</translation>
    </message>
    <message>
        <source>L i s t a    d o s t ę p n y c h    r o z w i ą z a ń </source>
        <comment>RankingCaption</comment>
        <translation>L i s t    o f   p o s s i b l e   s o l u t i o n s</translation>
    </message>
    <message>
        <source>Numer</source>
        <comment>RankingNumber</comment>
        <translation>No.</translation>
    </message>
    <message>
        <source>Profile</source>
        <comment>RankingProfiles</comment>
        <translation>Profiles</translation>
    </message>
    <message>
        <source>Odcinki</source>
        <comment>RankingCuts</comment>
        <translation>Cut lengths</translation>
    </message>
    <message>
        <source>Zużycie</source>
        <comment>RankingUsed</comment>
        <translation>Consumpt.</translation>
    </message>
    <message>
        <source>Odp. całk.</source>
        <comment>RankingScrap</comment>
        <translation>Remn.+Scrap</translation>
    </message>
    <message>
        <source>Odp. nieuż.</source>
        <comment>RankingPureScrap</comment>
        <translation>Scrap</translation>
    </message>
    <message>
        <source>Koszt całk.</source>
        <comment>RankingCost</comment>
        <translation>Cost</translation>
    </message>
    <message>
        <source>Dł. max. odp</source>
        <comment>RankingMaxScrap</comment>
        <translation>Longest rem</translation>
    </message>
    <message>
        <source>Łączenia</source>
        <comment>RankingExtensions</comment>
        <translation>Extens.</translation>
    </message>
    <message>
        <source>Zużyty odpad</source>
        <comment>RankingReused</comment>
        <translation>Consum. remn.</translation>
    </message>
    <message>
        <source>S p e c y f i k a c j a    w y b r a n e g o    r o z w i ą z a n i a</source>
        <comment>SpecificationCaption</comment>
        <translation>S p e c i f i c a t i o n    f o r    s e l e c t e d    s o l u t i o n s</translation>
    </message>
    <message>
        <source>Lp</source>
        <comment>SpecificationId</comment>
        <translation>Id</translation>
    </message>
    <message>
        <source>Dł. profila</source>
        <comment>SpecificationLength</comment>
        <translation>Prof. len.</translation>
    </message>
    <message>
        <source>Specyfikacja rozkroju</source>
        <comment>SpecificationCuts</comment>
        <translation>cutting specification</translation>
    </message>
    <message>
        <source>Odpad całk.</source>
        <comment>SpecificationLeftover</comment>
        <translation>Remn.+scrap</translation>
    </message>
    <message>
        <source>S T A T Y S T Y K A    W Y B R A N E G O    R O Z K R O J U</source>
        <comment>StatisticsCaption</comment>
        <translation>S T A T I S T I C    F O R    S E L E C T E D   S O L U T I O N</translation>
    </message>
    <message>
        <source>1. Długość wybranych profili [mb]</source>
        <comment>Statistic1</comment>
        <translation>1.  Utilized profiles length [m]</translation>
    </message>
    <message>
        <source>2. Ilość sztuk profili do cięcia</source>
        <comment>Statistic2</comment>
        <translation>2.  Total utilized pieces</translation>
    </message>
    <message>
        <source>3. Długość wycietych odcinków [mb]</source>
        <comment>Statistic3</comment>
        <translation>3.  Cut lengths total length [m]</translation>
    </message>
    <message>
        <source>4. Ilość odcnków do wykonania</source>
        <comment>Statistic4</comment>
        <translation>4.  Cut lengths pieces</translation>
    </message>
    <message>
        <source>5. Długość odpadu całkowitego [mb]</source>
        <comment>Statistic5</comment>
        <translation>5.  Remnant + scrap total lengt[m]</translation>
    </message>
    <message>
        <source>6. W tym nieużytkowego [mb]</source>
        <comment>Statistic6</comment>
        <translation>6.  Scrap only length [m]</translation>
    </message>
    <message>
        <source>7. Użytkowego [mb]</source>
        <comment>Statistic7</comment>
        <translation>7.  Remnant length [m]</translation>
    </message>
    <message>
        <source>8. Ilość szt. zwracanyc odc. do mag.</source>
        <comment>Statistic8</comment>
        <translation>8.  Remnant pieces returned to stock</translation>
    </message>
    <message>
        <source>9. Opiłki z piły [mb]</source>
        <comment>Statistic9</comment>
        <translation>9.  Filings [mb]</translation>
    </message>
    <message>
        <source>10. Szerokość piły [ mm ]</source>
        <comment>Statistic10</comment>
        <translation>10. Saw width [ mm ]</translation>
    </message>
    <message>
        <source>11. Ilość łączeń technologicznych</source>
        <comment>Statistic11</comment>
        <translation>11. Extensions quantity</translation>
    </message>
    <message>
        <source>Dolna granica [mb]</source>
        <comment>StatisticLowerBound</comment>
        <translation>Lower bound [m]</translation>
    </message>
    <message>
        <source>Nadmiar ponad granicę [%]</source>
        <comment>StatisticExcess</comment>
        <translation>Excess over bound [%]</translation>
    </message>
    <message>
        <source>Metoda 5 planuje bez łączeń</source>
        <comment>NoJointsInMethod5</comment>
        <translation>Method 5 plans without joints</translation>
    </message>
</context>
<context>
    <name>SaveCuts</name>
    <message>
        <source>Zapis transakcji magazynowej / polecenia cięcia</source>
        <translation>Saving the stock transaction / cutting order</translation>
    </message>
    <message>
        <source>Opis dodatkowy</source>
        <translation>Additional description</translation>
    </message>
    <message>
        <source>Plan. data produkcji</source>
        <translation>Planned production date</translation>
    </message>
    <message>
        <source>Planowana data produkcji &quot;%1&quot; nie jest datą (np. %2).</source>
        <translation>The planned production date &quot;%1&quot; is not a date (for example %2).</translation>
    </message>
    <message>
        <source>Description for stock trans</source>
        <translation>Description for stock trans</translation>
    </message>
    <message>
        <source>Production date</source>
        <translation>Production date</translation>
    </message>
</context>
</TS>
