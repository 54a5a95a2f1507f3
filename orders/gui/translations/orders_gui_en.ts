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
</TS>
