<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>shell::MainFrame</name>
    <message>
        <source>Optymalizacja rozkroju profili i prętów</source>
        <translation>Cutting optimization profiles and rods</translation>
    </message>
    <message>
        <source>&amp;Baza danych</source>
        <translation>Database lists</translation>
    </message>
    <message>
        <source>Zlecenia / zamówienia</source>
        <translation>Sales orders / working orders</translation>
    </message>
    <message>
        <source>Lista pro&amp;fili</source>
        <translation>Profiles lists</translation>
    </message>
    <message>
        <source>Polecenia cięcia</source>
        <translation>Cutting orders</translation>
    </message>
    <message>
        <source>Zam&amp;knij</source>
        <translation>Close program</translation>
    </message>
    <message>
        <source>Inte&amp;rface</source>
        <translation>Inte&amp;rface</translation>
    </message>
    <message>
        <source>I&amp;mport listy odcinków</source>
        <translation>Import cutting lists</translation>
    </message>
    <message>
        <source>&amp;Ustawienia</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>Zerowanie ustawienia ekranów</source>
        <translation>Restore screens formats to default</translation>
    </message>
    <message>
        <source>Parametry konfiguracyjne</source>
        <translation>Configuration parameters</translation>
    </message>
    <message>
        <source>Mapowanie plików importu</source>
        <translation>Import files mapping</translation>
    </message>
    <message>
        <source>Ustawienia drukarki</source>
        <translation>Printer settings</translation>
    </message>
    <message>
        <source>Konwersja struktur bazy danych</source>
        <translation>Database tables conversion</translation>
    </message>
    <message>
        <source>Test bazy danych</source>
        <translation>Database correctness test</translation>
    </message>
    <message>
        <source>Usuwanie całej bazy danych</source>
        <translation>Delete databse</translation>
    </message>
    <message>
        <source>O&amp;twarte okna</source>
        <translation>Open windows</translation>
    </message>
    <message>
        <source>Kaskada</source>
        <translation>Arrange cascade</translation>
    </message>
    <message>
        <source>Rozmieść poziomo</source>
        <translation>Arrange horizontally</translation>
    </message>
    <message>
        <source>Rozmieść pionowo</source>
        <translation>Arrange vertically</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>O &amp;programie</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>Pasek narzędzi</source>
        <translation>Tool bar</translation>
    </message>
    <message>
        <source>Zamowienia do realizacji, zatwierdzone i zamkniete</source>
        <translation>Orders for execution, approved and closed</translation>
    </message>
    <message>
        <source>Lista profili</source>
        <translation>Profiles lists</translation>
    </message>
    <message>
        <source>Lista zatwierdzonych i zrealizowanych rozkroi</source>
        <translation>List of cutting orders</translation>
    </message>
</context>
<context>
    <name>shell::ProgramInfo</name>
    <message>
        <source>O programie</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>Barmond - program do optymalizacji rozkroju profili i prętów</source>
        <translation>Barmond - program for the optimization of cutting profiles and rods</translation>
    </message>
    <message>
        <source>Autor: Zespół programistów Tervox</source>
        <translation>Author: Tervox software team</translation>
    </message>
    <message>
        <source>E-mail: barmond@tervox.pl</source>
        <translation>E-mail: barmond@tervox.pl</translation>
    </message>
    <message>
        <source>Telefon: +48 22 100 20 30</source>
        <translation>Phone: +48 22 100 20 30</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
</context>
</TS>
