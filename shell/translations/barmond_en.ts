<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>DatabaseDeletion</name>
    <message>
        <source>Czy na pewno chcesz usunąć wszystkie dane z bazy?</source>
        <translation>Are you sure you want to delete all data from the database?</translation>
    </message>
    <message>
        <source> Tak </source>
        <translation> Yes </translation>
    </message>
    <message>
        <source> Nie </source>
        <translation> No </translation>
    </message>
    <message>
        <source>Operacja przebiegła bez błędów. Baza danych jest pusta. Kopia poprzedniej jest w katalogu </source>
        <translation>Operation terminated without errors. Database is empty. Copy still exists in the folder </translation>
    </message>
    <message>
        <source>Pliki bazy danych przed usunięciem zostaną skopiowane do katalogu </source>
        <translation>System will copy database files to the folder </translation>
    </message>
    <message>
        <source>.|Folder ten nie jest potrzebny do prawidłowej pracy programu. </source>
        <translation>.|This folder is obsolete for the normal system work. </translation>
    </message>
    <message>
        <source>Można z niego odzyskać dane kopiując wszystkie pliki do katalogu DB. Można też go skasować. </source>
        <translation>It could be anyway used to restore data by coping all files to \DB folder. You can also delete whole folder. </translation>
    </message>
    <message>
        <source>|Uwaga, wszystkie okna programu poza głównym muszą być zamknięcte !||</source>
        <translation>|Warning, all program widows must be closed !||</translation>
    </message>
    <message>
        <source>Czy kontynuować usuwanie danych?</source>
        <translation>Do you really want to continue?</translation>
    </message>
</context>
<context>
    <name>RestoreLayouts</name>
    <message>
        <source>Czy chcesz przywrócić wszystkie domyślne formaty ekranów ?</source>
        <translation>Do you want to restore all program windows settings to default formats ?</translation>
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
        <source>Przywrócono ustawienia domyślne ekranów</source>
        <translation>Defalut formats restored</translation>
    </message>
    <message>
        <source>Wystąpił błąd podczas usuwania DB\ListForm.dat. Numer błędu = </source>
        <translation>Error deleting DB\ListForm.dat. Error number = </translation>
    </message>
    <message>
        <source>Wystąpił błąd podczas usuwania DB\ListLoc.dat. Numer błędu = </source>
        <translation>Error deleting DB\ListLoc.dat. Error number = </translation>
    </message>
    <message>
        <source>Wystąpił błąd podczas usuwania Barmond.ini. Numer błędu = </source>
        <translation>Error deleting Barmond.ini. Error number = </translation>
    </message>
    <message>
        <source>nie można zapisać pliku</source>
        <translation>the file cannot be written</translation>
    </message>
</context>
<context>
    <name>ServerSignIn</name>
    <message>
        <source>Hasło do bazy danych</source>
        <translation>Database password</translation>
    </message>
    <message>
        <source>Serwer nie przyjął hasła: %1|</source>
        <translation>The server did not accept the password: %1|</translation>
    </message>
    <message>
        <source>Baza danych %1 wymaga hasła użytkownika %2.</source>
        <translation>The database %1 needs the password of the user %2.</translation>
    </message>
    <message>
        <source>|Hasło nie zostanie nigdzie zapisane: program pamięta je do końca pracy.</source>
        <translation>|The password is not saved anywhere: the program keeps it until it ends.</translation>
    </message>
</context>
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
    <message>
        <source>%1 na %2, stanowisko nr %3</source>
        <translation>%1 at %2, station no. %3</translation>
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
        <source>E-mail: nie podano</source>
        <translation>E-mail: not given</translation>
    </message>
    <message>
        <source>Telefon: nie podano</source>
        <translation>Phone: not given</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
</context>
</TS>
