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
