<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>CuttingOrdersWindow</name>
    <message>
        <source>Polecenia cięcia</source>
        <translation>Cutting orders</translation>
    </message>
    <message>
        <source>Otwarte</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Zrealizowane</source>
        <translation>Completed</translation>
    </message>
    <message>
        <source>Utworzono</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Plan. data</source>
        <translation>Planned</translation>
    </message>
    <message>
        <source>Dł. profili</source>
        <translation>Bar length</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Bars</translation>
    </message>
    <message>
        <source>Odp. całk.</source>
        <translation>Total scrap</translation>
    </message>
    <message>
        <source>Odp. nieuż.</source>
        <translation>Scrap</translation>
    </message>
    <message>
        <source>Utworzył rozkrój</source>
        <translation>Cutting plan made by</translation>
    </message>
    <message>
        <source>Potwierdził wykonanie</source>
        <translation>Completion confirmed</translation>
    </message>
    <message>
        <source>Tak</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nie</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Nr polecenia</source>
        <translation>Order no.</translation>
    </message>
    <message>
        <source>Kod profila</source>
        <translation>Profile code</translation>
    </message>
    <message>
        <source>Dnia</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Godz</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Opis dodatkowy</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>produkcji</source>
        <translation>production</translation>
    </message>
    <message>
        <source>[mb]</source>
        <translation>[m]</translation>
    </message>
    <message>
        <source>Dł. wycięta</source>
        <translation>Cut length</translation>
    </message>
    <message>
        <source>Odp. użyt.</source>
        <translation>Remnants</translation>
    </message>
    <message>
        <source>[szt]</source>
        <translation>[pcs]</translation>
    </message>
    <message>
        <source>Zwroty</source>
        <translation>Returns</translation>
    </message>
    <message>
        <source>Odcinki</source>
        <translation>Pieces</translation>
    </message>
    <message>
        <source>[ % ]</source>
        <translation>[ % ]</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Komputer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>o godz.</source>
        <translation>at</translation>
    </message>
    <message>
        <source>Polecenie cięcia nr %1 zostało usunięte na innym stanowisku.</source>
        <translation>Cutting order %1 has been deleted at another station.</translation>
    </message>
    <message>
        <source>Systemowy błąd odwołania do rekordu polecenia cięcia. Nr błędu = %1</source>
        <translation>System error reading the cutting order record. Error number = %1</translation>
    </message>
    <message>
        <source>Produkcji potwierdzonej raczej nie powinno się usuwać</source>
        <translation>Confirmed production should rather not be deleted</translation>
    </message>
    <message>
        <source>Usunąć dokument z systemu ?</source>
        <translation>Delete the document from the system ?</translation>
    </message>
    <message>
        <source>Produkcja już potwierdzona</source>
        <translation>Production already confirmed</translation>
    </message>
    <message>
        <source>Produkcja zakończona, odpad użytkowy zwrócony do magazynu. Zamknąć transakcję ?</source>
        <translation>Production finished, usable remnants returned to stock. Close the transaction ?</translation>
    </message>
    <message>
        <source>Polecenie cięcia nr %1 nie jest potwierdzone - nie ma czego otwierać</source>
        <translation>Cutting order %1 is not confirmed - there is nothing to reopen</translation>
    </message>
    <message>
        <source>Uwaga|Kontynuacja spowoduje wycofanie zamkniętego polecenia cięcia.|Jeśli dokumenty trafiły na produkcję, może powstać problem.|Proszę dobrze przemyśleć kontyunuowanie operacji.||Czy na pewno otworzyć zamknięte polecenie cięcia?</source>
        <translation>Warning|Continuing withdraws the closed cutting order.|If the documents have reached production, a problem may arise.|Please think carefully before continuing.||Do you really want to reopen the closed cutting order?</translation>
    </message>
    <message>
        <source>Kontynuacja</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>Rezygnacja</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Zmiana paraetrów opisowych</source>
        <translation>Change of the descriptive data</translation>
    </message>
    <message>
        <source>Usuń dokument - przywróć dane do optymalizacji powtórnej</source>
        <translation>Delete the document - give the data back for a new optimization</translation>
    </message>
    <message>
        <source>&amp;Potwierdź wykonanie</source>
        <translation>&amp;Confirm completion</translation>
    </message>
    <message>
        <source>Zamknij proces - potwierdź wykonanie rozkroju</source>
        <translation>Close the process - confirm that the cutting was done</translation>
    </message>
    <message>
        <source>O&amp;twórz ponownie</source>
        <translation>Re&amp;open</translation>
    </message>
    <message>
        <source>Wycofaj potwierdzenie wykonania rozkroju</source>
        <translation>Withdraw the confirmation of the cutting</translation>
    </message>
    <message>
        <source>&amp;Filtr</source>
        <translation>&amp;Filter</translation>
    </message>
    <message>
        <source>Filtrowanie listy. Dozwolone znaki * oraz ?</source>
        <translation>Filtering the list. Characters * and ? allowed</translation>
    </message>
    <message>
        <source>Po&amp;zycje</source>
        <translation>Ba&amp;rs</translation>
    </message>
    <message>
        <source>Pręty i odcinki polecenia cięcia z numerami wytopu</source>
        <translation>Bars and pieces of the cutting order with heat numbers</translation>
    </message>
    <message>
        <source>Zaznacz &amp;wszystkie</source>
        <translation>Tag &amp;all</translation>
    </message>
    <message>
        <source>Zaznacz wszystkie zlecenia cięcia</source>
        <translation>Tag all cutting orders</translation>
    </message>
    <message>
        <source>Usuń zazn&amp;aczenie</source>
        <translation>U&amp;ntag all</translation>
    </message>
    <message>
        <source>Usuń zaznaczenie dla wszystkich zleceń cięcia</source>
        <translation>Remove the tags of all cutting orders</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Wydrukuj kopię dyspozycji cięcia</source>
        <translation>Print a copy of the cutting list</translation>
    </message>
    <message>
        <source>Wydruk &amp;sumaryczny</source>
        <translation>&amp;Summary print</translation>
    </message>
    <message>
        <source>Wydruk sumaryczny = taki sam rozkrój drukoewany jeden raz</source>
        <translation>Summary print = the same cutting pattern printed once</translation>
    </message>
    <message>
        <source>&amp;Eksport do arkusza</source>
        <translation>&amp;Export to spreadsheet</translation>
    </message>
    <message>
        <source>Eksport zaznaczonych poleceń cięcia do arkusza</source>
        <translation>Export the tagged cutting orders to a spreadsheet</translation>
    </message>
    <message>
        <source>Lista jest filtrowana</source>
        <translation>The list is filtered</translation>
    </message>
    <message>
        <source>Menu listy transakcji</source>
        <translation>Transaction list menu</translation>
    </message>
    <message>
        <source>Wygeneruj log transakcji</source>
        <translation>Generate the transaction log</translation>
    </message>
</context>
<context>
    <name>DescriptionDialog</name>
    <message>
        <source>Edycja danych opisowych</source>
        <translation>Descriptive data</translation>
    </message>
    <message>
        <source>Opis dodatkowy</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Planowana data prod.</source>
        <translation>Planned production date</translation>
    </message>
    <message>
        <source>&quot;%1&quot; nie jest datą (np. %2).</source>
        <translation>&quot;%1&quot; is not a date (e.g. %2).</translation>
    </message>
</context>
<context>
    <name>FilterDialog</name>
    <message>
        <source>Definicja filtra</source>
        <translation>Filter definition</translation>
    </message>
    <message>
        <source>Kod profila</source>
        <translation>Profile code</translation>
    </message>
    <message>
        <source>Data utworzenia</source>
        <translation>Date created</translation>
    </message>
    <message>
        <source>Opis dodatkowy</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Plan. data produkcji</source>
        <translation>Planned production date</translation>
    </message>
    <message>
        <source>Utworzył - operator</source>
        <translation>Created by - operator</translation>
    </message>
    <message>
        <source>Utworzył - komputer</source>
        <translation>Created by - computer</translation>
    </message>
    <message>
        <source>Data potwierdzenia</source>
        <translation>Date confirmed</translation>
    </message>
    <message>
        <source>Potwierdził - operator</source>
        <translation>Confirmed by - operator</translation>
    </message>
    <message>
        <source>Potwierdził - komputer</source>
        <translation>Confirmed by - computer</translation>
    </message>
    <message>
        <source>&quot;%1&quot; nie jest datą (np. %2).</source>
        <translation>&quot;%1&quot; is not a date (e.g. %2).</translation>
    </message>
    <message>
        <source>&amp;Usuń filtr</source>
        <translation>&amp;Clear filter</translation>
    </message>
    <message>
        <source>Dozwolone znaki * oraz ?</source>
        <translation>Characters * and ? allowed</translation>
    </message>
</context>
<context>
    <name>TransItemsWindow</name>
    <message>
        <source>Techniczna lista transakcji </source>
        <translation>Technical transaction list </translation>
    </message>
    <message>
        <source>&amp;Rozwiń</source>
        <translation>&amp;Expand</translation>
    </message>
    <message>
        <source>Z&amp;wiń</source>
        <translation>C&amp;ollapse</translation>
    </message>
    <message>
        <source>&amp;Numer wytopu</source>
        <translation>&amp;Heat number</translation>
    </message>
    <message>
        <source>Edycja numeru wytopu dla profilu</source>
        <translation>Edit the heat number of the bar</translation>
    </message>
    <message>
        <source>K&amp;opiuj</source>
        <translation>Co&amp;py</translation>
    </message>
    <message>
        <source>Kopiuj bieżący numer wytopu</source>
        <translation>Copy the current heat number</translation>
    </message>
    <message>
        <source>&amp;Wstaw</source>
        <translation>Pa&amp;ste</translation>
    </message>
    <message>
        <source>Wstaw zapamiętany numer wytopu do bieżącego profila</source>
        <translation>Paste the remembered heat number into the current bar</translation>
    </message>
    <message>
        <source>Zam&amp;knij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Zapamiętany numer wytopu:</source>
        <translation>Remembered heat number:</translation>
    </message>
</context>
</TS>
