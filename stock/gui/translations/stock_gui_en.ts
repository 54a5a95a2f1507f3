<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>ProfileCatalogue</name>
    <message>
        <source>Długość [mm]</source>
        <translation>Length [mm]</translation>
    </message>
    <message>
        <source>Magazyn [szt]</source>
        <translation>Stock [pcs]</translation>
    </message>
    <message>
        <source>Mag. zewn.</source>
        <translation>Ext. stock</translation>
    </message>
    <message>
        <source>W produkcji</source>
        <translation>In production</translation>
    </message>
    <message>
        <source>H</source>
        <translation>M</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>S</source>
        <translation>H</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Typical</translation>
    </message>
    <message>
        <source>Ilość [szt]</source>
        <translation>Quantity [pcs]</translation>
    </message>
    <message>
        <source>Kod elementu</source>
        <translation>Piece code</translation>
    </message>
    <message>
        <source>Zamówienie</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>Podział</source>
        <translation>Split</translation>
    </message>
    <message>
        <source>Długość 1</source>
        <translation>Length 1</translation>
    </message>
    <message>
        <source>Długość 2</source>
        <translation>Length 2</translation>
    </message>
    <message>
        <source>Opis dodatkowy 1</source>
        <translation>Description 1</translation>
    </message>
    <message>
        <source>Opis dodatkowy 2</source>
        <translation>Description 2</translation>
    </message>
    <message>
        <source>Ord_Id</source>
        <translation>Ord_Id</translation>
    </message>
    <message>
        <source>OrPrf_Id</source>
        <translation>OrPrf_Id</translation>
    </message>
    <message>
        <source>Blk</source>
        <translation>Blk</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Kod</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Min odp. uż. [mm]</source>
        <translation>Min. usable [mm]</translation>
    </message>
    <message>
        <source>Zamówienia [szt]</source>
        <translation>Orders [pcs]</translation>
    </message>
    <message>
        <source>Zamówienia [mb]</source>
        <translation>Orders [m]</translation>
    </message>
    <message>
        <source>Magazyn [mb]</source>
        <translation>Stock [m]</translation>
    </message>
    <message>
        <source>Waga [kg/m]</source>
        <translation>Weight [kg/m]</translation>
    </message>
    <message>
        <source>Opis</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Kod pomocniczy</source>
        <translation>Alt. code</translation>
    </message>
    <message>
        <source>Wysokość</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Szerokość</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Sym</source>
        <translation>Sym</translation>
    </message>
    <message>
        <source>Cena</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>Złom</source>
        <translation>Scrap</translation>
    </message>
    <message>
        <source>Spawanie</source>
        <translation>Welding</translation>
    </message>
    <message>
        <source>Przec. użytk.</source>
        <translation>Remnant loss</translation>
    </message>
    <message>
        <source>Syst. Id</source>
        <translation>Syst. Id</translation>
    </message>
    <message>
        <source>Jedn.</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Aktywne</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Wszystkie</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Zatwierdzone</source>
        <translation>Approved</translation>
    </message>
    <message>
        <source>Nowe</source>
        <translation>New</translation>
    </message>
    <message>
        <source>A&amp;ktywne</source>
        <translation>A&amp;ctive</translation>
    </message>
    <message>
        <source>Za&amp;tw.</source>
        <translation>A&amp;pproved</translation>
    </message>
    <message>
        <source>No&amp;we</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>W &amp;prod.</source>
        <translation>In p&amp;rod.</translation>
    </message>
    <message>
        <source>Wsz&amp;ystkie</source>
        <translation>A&amp;ll</translation>
    </message>
    <message>
        <source>Do Produkcji</source>
        <translation>For production</translation>
    </message>
</context>
<context>
    <name>ProfileEditor</name>
    <message>
        <source>Kod profila</source>
        <translation>Profile code</translation>
    </message>
    <message>
        <source>Kod pomocniczy</source>
        <translation>Alternative code</translation>
    </message>
    <message>
        <source>Opis</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Min. odpad użyteczny [mm]</source>
        <translation>Min. usable remnant [mm]</translation>
    </message>
    <message>
        <source>Waga [kg/m]</source>
        <translation>Weight [kg/m]</translation>
    </message>
    <message>
        <source>Wysokość</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Szerokość</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Symetryczny</source>
        <translation>Symmetrical</translation>
    </message>
    <message>
        <source>Jednostka (mm, cm)</source>
        <translation>Unit (mm, cm)</translation>
    </message>
    <message>
        <source>Cena [za mb]</source>
        <translation>Price [per m]</translation>
    </message>
    <message>
        <source>Cena złomu</source>
        <translation>Scrap price</translation>
    </message>
    <message>
        <source>Koszt spawania</source>
        <translation>Welding cost</translation>
    </message>
    <message>
        <source>Przecena odpadu użytkowego</source>
        <translation>Usable remnant loss</translation>
    </message>
    <message>
        <source>Ukryj na liście wyboru</source>
        <translation>Hide on the selection list</translation>
    </message>
    <message>
        <source>Edycja danych podstawowych profila</source>
        <translation>Profile basic data</translation>
    </message>
</context>
<context>
    <name>stock::ProfileCatalogueWindow</name>
    <message>
        <source>Lista profili</source>
        <translation>Profiles list</translation>
    </message>
    <message>
        <source>Metoda 0</source>
        <translation>Method 0</translation>
    </message>
    <message>
        <source>Najszybsza i prosta metoda</source>
        <translation>Fastest and simple method</translation>
    </message>
    <message>
        <source>Optymalizacja metoda 1</source>
        <translation>Optimization method 1</translation>
    </message>
    <message>
        <source>Szybki i podstawowy algorytm optymalizacji</source>
        <translation>Fast and basic optimization algorithm</translation>
    </message>
    <message>
        <source>Optymalizacja metoda 2</source>
        <translation>Optimization method 2</translation>
    </message>
    <message>
        <source>Czasochłonna metoda dobrego doboru</source>
        <translation>Time consuming and good selection method</translation>
    </message>
    <message>
        <source>Optymalizacja metoda 3</source>
        <translation>Optimization method 3</translation>
    </message>
    <message>
        <source>Czasochłonna metoda dobrego doboru z pętlą optymalizacji odpadu</source>
        <translation>Time consuming and good selection method with scrap optimization loop</translation>
    </message>
    <message>
        <source>Metoda 4</source>
        <translation>Method 4</translation>
    </message>
    <message>
        <source>Zalecany algorytm. Szybki i niezawodny</source>
        <translation>Preffered algorithm. Fast and reliable</translation>
    </message>
    <message>
        <source>Zaproponuj najlepsze scalenia</source>
        <translation>Propose the best joints</translation>
    </message>
    <message>
        <source>Zalecany algorytm z propozycją scaleń</source>
        <translation>Preffered algorithm with extensions proposal</translation>
    </message>
    <message>
        <source>Kartoteka profila</source>
        <translation>Profile log</translation>
    </message>
    <message>
        <source>Kartoteka wybranego profila</source>
        <translation>Stock log of the selected profile</translation>
    </message>
    <message>
        <source>Kartoteka długości</source>
        <translation>Length log</translation>
    </message>
    <message>
        <source>Kartoteka dla wybranej długosci</source>
        <translation>Stock log of the selected length</translation>
    </message>
    <message>
        <source>Eksport stanów</source>
        <translation>Export stock</translation>
    </message>
    <message>
        <source>Eksport stanów magazynowych do excela (przez schowek)</source>
        <translation>Export the stock to a spreadsheet (through the clipboard)</translation>
    </message>
    <message>
        <source>Zablokuj</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>Zablokuj wskazaną długość - nie uwzględniaj w optymalizacji</source>
        <translation>Block the selected length - leave it out of optimization</translation>
    </message>
    <message>
        <source>Zablokuj element</source>
        <translation>Block piece</translation>
    </message>
    <message>
        <source>Zablokuj wskazany element - nie uwzględniaj w optymalizacji</source>
        <translation>Block the selected piece - leave it out of optimization</translation>
    </message>
    <message>
        <source>Definiuj łączenie</source>
        <translation>Define joint</translation>
    </message>
    <message>
        <source>Usuń wszystkie łączenia</source>
        <translation>Remove all joints</translation>
    </message>
    <message>
        <source>Zam&amp;knij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Dobór od:</source>
        <translation>Preselect from:</translation>
    </message>
    <message>
        <source>szt. dł.</source>
        <translation>lengths</translation>
    </message>
    <message>
        <source>Minimalny odpad użyty do łączenia [mm]</source>
        <translation>Shortest leftover used for a joint [mm]</translation>
    </message>
    <message>
        <source>Dodaj profil do listy</source>
        <translation>Add a profile to the list</translation>
    </message>
    <message>
        <source>Edytuj informacje o profilu</source>
        <translation>Edit the profile's data</translation>
    </message>
    <message>
        <source>Usuń profil z listy</source>
        <translation>Delete the profile from the list</translation>
    </message>
</context>
<context>
    <name>stock::ProfilePicker</name>
    <message>
        <source>Wybór profila</source>
        <translation>Select a profile</translation>
    </message>
    <message>
        <source>&amp;Wybierz</source>
        <translation>&amp;Select</translation>
    </message>
    <message>
        <source>Wybierz profil do zamówienia</source>
        <translation>Select the profile for the order</translation>
    </message>
    <message>
        <source>Zam&amp;knij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Kartoteka profila</source>
        <translation>Profile log</translation>
    </message>
    <message>
        <source>Kartoteka wybranego profila</source>
        <translation>Stock log of the selected profile</translation>
    </message>
    <message>
        <source>Zablokuj</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>Zablokuj wskazaną długość - nie uwzględniaj w optymalizacji</source>
        <translation>Block the selected length - leave it out of optimization</translation>
    </message>
    <message>
        <source>Kartoteka długości</source>
        <translation>Length log</translation>
    </message>
    <message>
        <source>Kartoteka dla wybranej długosci</source>
        <translation>Stock log of the selected length</translation>
    </message>
</context>
</TS>
