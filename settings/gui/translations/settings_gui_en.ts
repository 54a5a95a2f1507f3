<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
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
</context>
<context>
    <name>settings::SetupParForm</name>
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
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>settings::SetupParListModel</name>
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
<context>
    <name>settings::SetupParWindow</name>
    <message>
        <source>Parametry konfiguracyjne programu</source>
        <translation>Program configuration parameters</translation>
    </message>
    <message>
        <source>&amp;Dodaj</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>&amp;Zmień</source>
        <translation>&amp;Change</translation>
    </message>
    <message>
        <source>&amp;Usuń</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Zam&amp;knij</source>
        <translation>&amp;Close</translation>
    </message>
</context>
</TS>
