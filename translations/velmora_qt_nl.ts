<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>File</source>
        <translation>Bestand</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Bestandsmap</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Onbekend</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Snelkoppeling</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Off</source>
        <translation>Uit</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Binden aan korte zijde</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Dubbelzijdig afdrukken</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Binden aan lange zijde</translation>
    </message>
</context>
</TS>
