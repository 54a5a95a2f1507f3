<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>InterfaceMapEditor</name>
    <message>
        <source>TYPE:</source>
        <translation>TYPE:</translation>
    </message>
    <message>
        <source>INTERNAL NAME:</source>
        <translation>INTERNAL NAME:</translation>
    </message>
    <message>
        <source>EXTERNAL NAME:</source>
        <translation>EXTERNAL NAME:</translation>
    </message>
    <message>
        <source>FORMULA:</source>
        <translation>FORMULA:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>Podaj typ interfejsu.</source>
        <translation>Enter the interface type.</translation>
    </message>
    <message>
        <source>Podaj nazwę systemową pola.</source>
        <translation>Enter the internal name of the field.</translation>
    </message>
    <message>
        <source>Błędna formuła: %1</source>
        <translation>Wrong formula: %1</translation>
    </message>
</context>
<context>
    <name>InterfaceMapWindow</name>
    <message>
        <source>Mapowanie pól do importu danych</source>
        <translation>Mapping of import fields</translation>
    </message>
    <message>
        <source>Nazwa_Syst.</source>
        <translation>Internal name</translation>
    </message>
    <message>
        <source>Nazwa lokalna</source>
        <translation>External name</translation>
    </message>
    <message>
        <source>Formuła</source>
        <translation>Formula</translation>
    </message>
    <message>
        <source>Opis</source>
        <translation>Description</translation>
    </message>
</context>
<context>
    <name>orders::PieceForm</name>
    <message>
        <source>Specyfikacja odcinka do wykonania</source>
        <translation>Specification of a piece to cut</translation>
    </message>
    <message>
        <source>Długość [mm]</source>
        <translation>Length [mm]</translation>
    </message>
    <message>
        <source>Długość potrzebna</source>
        <translation>Length needed</translation>
    </message>
    <message>
        <source>Ilość [szt]</source>
        <translation>Count [pcs]</translation>
    </message>
    <message>
        <source>Sztuk potrzebnych</source>
        <translation>Pieces needed</translation>
    </message>
    <message>
        <source>Kod dla odcinka:</source>
        <translation>Piece code:</translation>
    </message>
    <message>
        <source>Opis pomocniczy 1</source>
        <translation>Description 1</translation>
    </message>
    <message>
        <source>Opis pomocniczy 2</source>
        <translation>Description 2</translation>
    </message>
    <message>
        <source>Wyłącz z optymalizacji</source>
        <translation>Exclude from optimization</translation>
    </message>
    <message>
        <source>Specyfikacja możliwego łączenia odcinka z dwóch krótszych</source>
        <translation>Joining the piece from two shorter sections</translation>
    </message>
    <message>
        <source>Podział procentowy</source>
        <translation>Division in percent</translation>
    </message>
    <message>
        <source>Długość odcinka 1 [mm]</source>
        <translation>Section 1 length [mm]</translation>
    </message>
    <message>
        <source>Długość odcinka 2 [mm]</source>
        <translation>Section 2 length [mm]</translation>
    </message>
    <message>
        <source>Wyłącz podział</source>
        <translation>Division off</translation>
    </message>
    <message>
        <source>&amp;Zapisz</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>orders::OrderForm</name>
    <message>
        <source>Edycja rekordu zamówienia / zlecenia</source>
        <translation>Editing an order</translation>
    </message>
    <message>
        <source>Numer zlec. / zamówienia</source>
        <translation>Order number</translation>
    </message>
    <message>
        <source>Numer sekwencji</source>
        <translation>Sequence number</translation>
    </message>
    <message>
        <source>Klient</source>
        <translation>Customer</translation>
    </message>
    <message>
        <source>Projekt / Kod kooperacji:</source>
        <translation>Project / subcontract code:</translation>
    </message>
    <message>
        <source>Etap:</source>
        <translation>Stage:</translation>
    </message>
    <message>
        <source>&amp;Zapisz</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>OrdersList</name>
    <message>
        <source> No&amp;we    </source>
        <translation> &amp;New    </translation>
    </message>
    <message>
        <source>&amp;Zatwierdzone    </source>
        <translation>&amp;Approved    </translation>
    </message>
    <message>
        <source>Za&amp;mkniete    </source>
        <translation>&amp;Closed    </translation>
    </message>
    <message>
        <source>Numer / symbol</source>
        <translation>Number / symbol</translation>
    </message>
    <message>
        <source>Klient</source>
        <translation>Customer</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>Etap</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Typ / kod profila</source>
        <translation>Profile type / code</translation>
    </message>
    <message>
        <source>[szt]</source>
        <translation>[pcs]</translation>
    </message>
    <message>
        <source>[mm]</source>
        <translation>[mm]</translation>
    </message>
    <message>
        <source>Dł.[mm]</source>
        <translation>Len.[mm]</translation>
    </message>
    <message>
        <source>Sztuk</source>
        <translation>Pieces</translation>
    </message>
    <message>
        <source>Kod / symbol</source>
        <translation>Code / symbol</translation>
    </message>
    <message>
        <source>Opis1</source>
        <translation>Descr1</translation>
    </message>
    <message>
        <source>Opis2</source>
        <translation>Descr2</translation>
    </message>
    <message>
        <source>Nr rozkr.</source>
        <translation>Cut order no.</translation>
    </message>
    <message>
        <source>Numery Wytopów</source>
        <translation>Heat numbers</translation>
    </message>
    <message>
        <source>Podział [%]</source>
        <translation>Split [%]</translation>
    </message>
    <message>
        <source>Odc. 1</source>
        <translation>Sect. 1</translation>
    </message>
    <message>
        <source>Odc 2</source>
        <translation>Sect. 2</translation>
    </message>
    <message>
        <source>Bp</source>
        <translation>Ns</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>Długość [ mm ]</source>
        <translation>Length [ mm ]</translation>
    </message>
    <message>
        <source>Mag</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>M. Zewn.</source>
        <translation>Ext. st.</translation>
    </message>
    <message>
        <source>Prod.</source>
        <translation>Prod.</translation>
    </message>
    <message>
        <source>Hurtownia</source>
        <translation>Wholesale</translation>
    </message>
</context>
<context>
    <name>orders::gui::OrdersListWindow</name>
    <message>
        <source>Lista zleceń / zamówień</source>
        <translation>Orders list</translation>
    </message>
    <message>
        <source>T y p y   p r o f i l i</source>
        <translation>P r o f i l e   t y p e s</translation>
    </message>
    <message>
        <source>Z l e c o n e   r o z k r o j e</source>
        <translation>O r d e r e d   c u t s</translation>
    </message>
    <message>
        <source>D Ł U G O Ś C I     D O S T Ę P N E</source>
        <translation>A V A I L A B L E     L E N G T H S</translation>
    </message>
    <message>
        <source>Dopisz</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Dopisz nowe zlecenie</source>
        <translation>Add a new order</translation>
    </message>
    <message>
        <source>Edytuj</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Edytuj zlecenie</source>
        <translation>Edit the order</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Usun zlecenie</source>
        <translation>Delete the order</translation>
    </message>
    <message>
        <source>Zatwierdź</source>
        <translation>Approve</translation>
    </message>
    <message>
        <source>Wycofaj</source>
        <translation>Withdraw</translation>
    </message>
    <message>
        <source>Zawierdz do ciecia / produkcji</source>
        <translation>Approve for cutting / production</translation>
    </message>
    <message>
        <source>Zamknij zlecenie</source>
        <translation>Close the order</translation>
    </message>
    <message>
        <source>Drukuj</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Drukuj zamówienie</source>
        <translation>Print the order</translation>
    </message>
    <message>
        <source>Polecenia cięcia</source>
        <translation>Cutting orders</translation>
    </message>
    <message>
        <source>Lista zleceń cięcia dla zamówienia</source>
        <translation>Cutting orders of the order</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Import danych z arkusza</source>
        <translation>Import data from a spreadsheet</translation>
    </message>
    <message>
        <source>Dopisz profil</source>
        <translation>Add profile</translation>
    </message>
    <message>
        <source>Dopisz profil do zlecenia</source>
        <translation>Add a profile to the order</translation>
    </message>
    <message>
        <source>Usuń profil</source>
        <translation>Delete profile</translation>
    </message>
    <message>
        <source>Usuń profil ze zlecenia</source>
        <translation>Delete the profile from the order</translation>
    </message>
    <message>
        <source>Zablokuj profil</source>
        <translation>Block profile</translation>
    </message>
    <message>
        <source>Zablokuj profil - nie uwzgledniaj w optymalizacji</source>
        <translation>Block the profile - leave it out of optimization</translation>
    </message>
    <message>
        <source>Dodaj</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Dodój rozkrój / odcinek profila</source>
        <translation>Add a cut / piece of the profile</translation>
    </message>
    <message>
        <source>Edytuj odcinek profila</source>
        <translation>Edit the piece</translation>
    </message>
    <message>
        <source>Usuń odcinek z listy</source>
        <translation>Delete the piece from the list</translation>
    </message>
    <message>
        <source>Zablokuj</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>Zabloku pozycję - nie bierz do optymalizacji</source>
        <translation>Block the piece - leave it out of optimization</translation>
    </message>
    <message>
        <source>Wklej</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Wklej odcinki ze schowka</source>
        <translation>Paste pieces from the clipboard</translation>
    </message>
    <message>
        <source>Dodaj długość handlową</source>
        <translation>Add a stock length</translation>
    </message>
    <message>
        <source>Edytuj długość handlową</source>
        <translation>Edit the stock length</translation>
    </message>
    <message>
        <source>Usuń długość handlową</source>
        <translation>Delete the stock length</translation>
    </message>
    <message>
        <source>Wyklucz</source>
        <translation>Exclude</translation>
    </message>
    <message>
        <source>Wyklucz długość z optymalizacji tej pozycji zamówienia</source>
        <translation>Exclude the length from optimizing this order position</translation>
    </message>
    <message>
        <source>Metoda 0</source>
        <translation>Method 0</translation>
    </message>
    <message>
        <source>Optymalizacja zerowa - proste rozłożenie odcinków</source>
        <translation>Zero optimization - simple layout of the pieces</translation>
    </message>
    <message>
        <source>Metoda 1</source>
        <translation>Method 1</translation>
    </message>
    <message>
        <source>Optymalizacja dla jednej pozycji zamówienia - metoda 1</source>
        <translation>Optimization of one order position - method 1</translation>
    </message>
    <message>
        <source>Metoda 2</source>
        <translation>Method 2</translation>
    </message>
    <message>
        <source>Optymalizacja metoda zaawansowana</source>
        <translation>Optimization, advanced method</translation>
    </message>
    <message>
        <source>Metoda 3</source>
        <translation>Method 3</translation>
    </message>
    <message>
        <source>Optymalizacja metoda 3</source>
        <translation>Optimization method 3</translation>
    </message>
    <message>
        <source>Metoda 4</source>
        <translation>Method 4</translation>
    </message>
    <message>
        <source>Optymalizacja metoda 4</source>
        <translation>Optimization method 4</translation>
    </message>
    <message>
        <source>Łączenia</source>
        <translation>Joints</translation>
    </message>
    <message>
        <source>Automatyczny dobor laczenia</source>
        <translation>Automatic choice of joints</translation>
    </message>
    <message>
        <source>Zam&amp;knij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Dobór od:</source>
        <translation>Selection from:</translation>
    </message>
    <message>
        <source>szt. dł.</source>
        <translation>pcs of a length</translation>
    </message>
    <message>
        <source>Minimalny odpad użyty do łączenia [mm]</source>
        <translation>Shortest leftover used for a joint [mm]</translation>
    </message>
</context>
<context>
    <name>orders::gui::CuttingOrdersDialog</name>
    <message>
        <source>Lista poleceń cięcia związanych ze wskazanym zamówieniem</source>
        <translation>Cutting orders of the chosen order</translation>
    </message>
    <message>
        <source>Nr</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Profil</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Utworzono dnia</source>
        <translation>Created on</translation>
    </message>
    <message>
        <source>godz:</source>
        <translation>time:</translation>
    </message>
    <message>
        <source>Opis</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Plan. data.</source>
        <translation>Plan. date</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>Dł. prof. [ mb ]</source>
        <translation>Bar len. [ m ]</translation>
    </message>
    <message>
        <source>Dł. wycięta [ mb ]</source>
        <translation>Cut len. [ m ]</translation>
    </message>
    <message>
        <source>Odp. całk. [ mb ]</source>
        <translation>Total waste [ m ]</translation>
    </message>
    <message>
        <source>Odp. użytk. [ mb ]</source>
        <translation>Remnants [ m ]</translation>
    </message>
    <message>
        <source>Prof. [szt]</source>
        <translation>Bars [pcs]</translation>
    </message>
    <message>
        <source>Zwrot [szt]</source>
        <translation>Returned [pcs]</translation>
    </message>
    <message>
        <source>Odc. [szt]</source>
        <translation>Pieces [pcs]</translation>
    </message>
    <message>
        <source>Odp. całk. [ % ]</source>
        <translation>Total waste [ % ]</translation>
    </message>
    <message>
        <source>Odp. nieuż. [ % ]</source>
        <translation>Scrap [ % ]</translation>
    </message>
    <message>
        <source>Obliczył</source>
        <translation>Computed by</translation>
    </message>
    <message>
        <source>Wykonał dnia</source>
        <translation>Done on</translation>
    </message>
    <message>
        <source>godz.</source>
        <translation>time</translation>
    </message>
    <message>
        <source>Opertor</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Zam&amp;knij</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>orders::CutImportWindow</name>
    <message>
        <source>Import listy odcinków</source>
        <translation>Import cutting lists</translation>
    </message>
    <message>
        <source>Przerwij</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Odczyt arkusza</source>
        <translation>Reading the workbook</translation>
    </message>
    <message>
        <source>Zapis odcinków do bazy danych</source>
        <translation>Writing the pieces to the database</translation>
    </message>
</context>
</TS>
