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
<context>
    <name>orders::PieceForm</name>
    <message>
        <source>Specyfikacja odcinka do wykonania</source>
        <translation>Specification of a piece to cut</translation>
    </message>
    <message>
        <source>Długość [mm]</source>
        <translation>Length [mm]</translation>
    </message>
    <message>
        <source>Długość potrzebna</source>
        <translation>Length needed</translation>
    </message>
    <message>
        <source>Ilość [szt]</source>
        <translation>Count [pcs]</translation>
    </message>
    <message>
        <source>Sztuk potrzebnych</source>
        <translation>Pieces needed</translation>
    </message>
    <message>
        <source>Kod dla odcinka:</source>
        <translation>Piece code:</translation>
    </message>
    <message>
        <source>Opis pomocniczy 1</source>
        <translation>Description 1</translation>
    </message>
    <message>
        <source>Opis pomocniczy 2</source>
        <translation>Description 2</translation>
    </message>
    <message>
        <source>Wyłącz z optymalizacji</source>
        <translation>Exclude from optimization</translation>
    </message>
    <message>
        <source>Specyfikacja możliwego łączenia odcinka z dwóch krótszych</source>
        <translation>Joining the piece from two shorter sections</translation>
    </message>
    <message>
        <source>Podział procentowy</source>
        <translation>Division in percent</translation>
    </message>
    <message>
        <source>Długość odcinka 1 [mm]</source>
        <translation>Section 1 length [mm]</translation>
    </message>
    <message>
        <source>Długość odcinka 2 [mm]</source>
        <translation>Section 2 length [mm]</translation>
    </message>
    <message>
        <source>Wyłącz podział</source>
        <translation>Division off</translation>
    </message>
    <message>
        <source>&amp;Zapisz</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>orders::OrderForm</name>
    <message>
        <source>Edycja rekordu zamówienia / zlecenia</source>
        <translation>Editing an order</translation>
    </message>
    <message>
        <source>Numer zlec. / zamówienia</source>
        <translation>Order number</translation>
    </message>
    <message>
        <source>Numer sekwencji</source>
        <translation>Sequence number</translation>
    </message>
    <message>
        <source>Klient</source>
        <translation>Customer</translation>
    </message>
    <message>
        <source>Projekt / Kod kooperacji:</source>
        <translation>Project / subcontract code:</translation>
    </message>
    <message>
        <source>Etap:</source>
        <translation>Stage:</translation>
    </message>
    <message>
        <source>&amp;Zapisz</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>orders::CutImportWindow</name>
    <message>
        <source>Import listy odcinków</source>
        <translation>Import cutting lists</translation>
    </message>
    <message>
        <source>Przerwij</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Odczyt arkusza</source>
        <translation>Reading the workbook</translation>
    </message>
    <message>
        <source>Zapis odcinków do bazy danych</source>
        <translation>Writing the pieces to the database</translation>
    </message>
</context>
</TS>
