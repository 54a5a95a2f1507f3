<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>LengthForm</name>
    <message>
        <source>Edycja długości dostępnej dla profila</source>
        <translation>Stock length of the profile</translation>
    </message>
    <message>
        <source>Profil</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Długość dostępna [mm]</source>
        <translation>Stock length [mm]</translation>
    </message>
    <message>
        <source>Ilość w magazynie [szt]</source>
        <translation>Internal stock [pcs]</translation>
    </message>
    <message>
        <source>Ilość w mag. zewn. [szt]</source>
        <translation>External stock [pcs]</translation>
    </message>
    <message>
        <source>Ilość w produkcji [sz]</source>
        <translation>Incoming stock [pcs]</translation>
    </message>
    <message>
        <source>Ukryj długość na liście</source>
        <translation>Hide the length in the list</translation>
    </message>
    <message>
        <source>Długość dostępna w hurt.</source>
        <translation>Available on the market</translation>
    </message>
    <message>
        <source>Wyłącz z optymalizacji</source>
        <translation>Exclude from optimization</translation>
    </message>
    <message>
        <source>Długość handl. (typowa)</source>
        <translation>Commercial (typical) length</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; nie jest liczbą całkowitą</source>
        <translation>%1: &quot;%2&quot; is not a whole number</translation>
    </message>
    <message>
        <source>%1: wartość musi leżeć między %2 a %3</source>
        <translation>%1: the value must lie between %2 and %3</translation>
    </message>
</context>
</TS>
