<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>RecordEditor</name>
    <message>
        <source>Rekord %1 został usunięty na innym stanowisku.</source>
        <translation>The record %1 was deleted at another station.</translation>
    </message>
    <message>
        <source>Rekord %1 został usunięty na innym stanowisku. Zmiany niemożliwe.</source>
        <translation>The record %1 was deleted at another station. It cannot be changed.</translation>
    </message>
    <message>
        <source>Rekord %1 został zmieniony na innym stanowisku. Usunięcie niemożliwe.</source>
        <translation>The record %1 was changed at another station. It cannot be deleted.</translation>
    </message>
</context>
<context>
    <name>ui::BrowseWindow</name>
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
        <source>&amp;Podgląd</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Zam&amp;knij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Szukaj: %1</source>
        <translation>Find: %1</translation>
    </message>
    <message>
        <source>Zaznaczone: %1</source>
        <translation>Tagged: %1</translation>
    </message>
    <message>
        <source>Zaznacz wszystkie</source>
        <translation>Tag all</translation>
    </message>
    <message>
        <source>Usuń zaznaczenia</source>
        <translation>Untag all</translation>
    </message>
</context>
<context>
    <name>ui::QtProgress</name>
    <message>
        <source>Przerwij</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ui::RecordForm</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
</TS>
