<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>ConversionWindow</name>
    <message>
        <source>Konwersja struktur bazy danych</source>
        <translation>Database structure conversion</translation>
    </message>
    <message>
        <source>Konwertuj</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Plik bazy danych: %1</source>
        <translation>Database file: %1</translation>
    </message>
    <message>
        <source>Konwersja pliku</source>
        <translation>Converting File</translation>
    </message>
</context>
<context>
    <name>DatabaseTestRun</name>
    <message>
        <source>Test bazy danych</source>
        <translation>Database test</translation>
    </message>
    <message>
        <source>Test przerwany: nic nie zostało zmienione. Kopia bazy danych: %1</source>
        <translation>Test cancelled: nothing has been changed. Copy of the database: %1</translation>
    </message>
</context>
<context>
    <name>SetupParEditor</name>
    <message>
        <source>Dodawanie parametru</source>
        <translation>Adding a parameter</translation>
    </message>
    <message>
        <source>Zmiana parametru</source>
        <translation>Changing a parameter</translation>
    </message>
    <message>
        <source>Nazwa techniczna</source>
        <translation>Technical name</translation>
    </message>
    <message>
        <source>Nazwa parametru</source>
        <translation>Parameter name</translation>
    </message>
    <message>
        <source>Wartość parametru</source>
        <translation>Parameter value</translation>
    </message>
</context>
<context>
    <name>SetupParWindow</name>
    <message>
        <source>Parametry konfiguracyjne programu</source>
        <translation>Program configuration parameters</translation>
    </message>
    <message>
        <source>Nazwa parametru</source>
        <translation>Parameter name</translation>
    </message>
    <message>
        <source>Wartość</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Nazwa techn.</source>
        <translation>Technical name</translation>
    </message>
</context>
</TS>
