<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Qt's own texts that Debian's qtbase_hu.qm lacks; installed after it, so these take its place. -->
<TS version="2.1" language="hu_HU">
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Pages</source>
        <translation>Oldalak</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Oldalak vagy tartományok vesszővel elválasztva. Egy tartomány két, kötőjellel elválasztott szám. Pl.: 3,5-7,9 a 3., 5., 6., 7. és 9. oldalt nyomtatja.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Kétoldalas nyomtatás</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Nincs</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Kötés a hosszú oldalon</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Kötés a rövid oldalon</translation>
    </message>
</context>
</TS>
