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
<context>
    <name>StockLogWindow</name>
    <message>
        <source>Kartoteka wybranego profila</source>
        <translation>Stock record of the profile</translation>
    </message>
    <message>
        <source>Czas oeracji</source>
        <translation>Operation time</translation>
    </message>
    <message>
        <source>Długość</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Zmiana [szt]</source>
        <translation>Change [pcs]</translation>
    </message>
    <message>
        <source>Po operacji [szt]</source>
        <translation>After the operation [pcs]</translation>
    </message>
    <message>
        <source>Profil po operacji [mb]</source>
        <translation>Profile after the operation [m]</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Godz</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Transakcja</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>[ mm ]</source>
        <translation>[ mm ]</translation>
    </message>
    <message>
        <source>Mag</source>
        <translation>Own</translation>
    </message>
    <message>
        <source>Zewn</source>
        <translation>Ext.</translation>
    </message>
    <message>
        <source>Prod</source>
        <translation>Prod.</translation>
    </message>
    <message>
        <source>Komp</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Bilas otw.</source>
        <translation>Opening bal.</translation>
    </message>
    <message>
        <source>Dop. długości</source>
        <translation>Length added</translation>
    </message>
    <message>
        <source>Zmiana ilości</source>
        <translation>Count changed</translation>
    </message>
    <message>
        <source>Usun. długości</source>
        <translation>Length deleted</translation>
    </message>
    <message>
        <source>Dyspoz. cięcia</source>
        <translation>Cutting order</translation>
    </message>
    <message>
        <source>Zamkn. dyspozycji</source>
        <translation>Order closed</translation>
    </message>
    <message>
        <source>Usuniecie dysp.</source>
        <translation>Order deleted</translation>
    </message>
    <message>
        <source>Otwarcie dyspozycji</source>
        <translation>Order reopened</translation>
    </message>
</context>
<context>
    <name>HeatNumberForm</name>
    <message>
        <source>Edycja numeru wytopu</source>
        <translation>Heat number</translation>
    </message>
    <message>
        <source>Record will be Changed</source>
        <translation>Record will be Changed</translation>
    </message>
    <message>
        <source>Pręt [mm]:</source>
        <translation>Bar [mm]:</translation>
    </message>
    <message>
        <source>Numer wytopu:</source>
        <translation>Heat number:</translation>
    </message>
</context>
<context>
    <name>PieceSectionsForm</name>
    <message>
        <source>Podaj preferowany podział odcinka</source>
        <translation>Preferred split of the piece</translation>
    </message>
    <message>
        <source>Podział procentowy</source>
        <translation>Split in percent</translation>
    </message>
    <message>
        <source>Odcinek 1</source>
        <translation>Section 1</translation>
    </message>
    <message>
        <source>Odcinek 2</source>
        <translation>Section 2</translation>
    </message>
    <message>
        <source>Wyłącz podział</source>
        <translation>Switch splitting off</translation>
    </message>
    <message>
        <source>Ilość sztuk:</source>
        <translation>Number of pieces:</translation>
    </message>
    <message>
        <source>Błąd systemowy odwołania do zmienianego rekordu. Numer błędu = %1</source>
        <translation>System error reading the record to change. Error number = %1</translation>
    </message>
    <message>
        <source>Odcinki %1 + %2 mm nie składają się na długość elementu %3 mm</source>
        <translation>Sections %1 + %2 mm do not make up the piece length %3 mm</translation>
    </message>
</context>
</TS>
