<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>Print Device Input Slot</name>
    <message>
        <source>Automatic</source>
        <translation>Automatycznie</translation>
    </message>
</context>
<context>
    <name>Print Device Output Bin</name>
    <message>
        <source>Automatic</source>
        <translation>Automatycznie</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>File</source>
        <translation>Plik</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Napęd</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Katalog plików</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Katalog</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Nieznany</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Skrót</translation>
    </message>
</context>
<context>
    <name>QCupsPrinterSupport</name>
    <message>
        <source>Authentication needed to use %1 on %2.</source>
        <translation>Do użycia %1 na %2 wymagane jest uwierzytelnienie.</translation>
    </message>
    <message>
        <source>Authentication needed to use %1.</source>
        <translation>Do użycia %1 wymagane jest uwierzytelnienie.</translation>
    </message>
    <message>
        <source>Authentication Needed</source>
        <translation>Wymagane uwierzytelnienie</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Hasło:</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Nazwa użytkownika:</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Ustawienia druku dwustronnego są sprzeczne. Czy je poprawić?</translation>
    </message>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Nieprawidłowa definicja stron</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 ma nieprawidłową składnię. Oddzielaj zakresy i strony znakiem ',', zakresy określaj znakiem '-' i upewnij się, że zakresy się nie nakładają.</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Sprzeczne ustawienia druku dwustronnego</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Sprzeczne opcje zaawansowane</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Sprzeczne ustawienia strony</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Niektóre opcje zaawansowane są sprzeczne. Czy je poprawić?</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Opcje ustawień strony są sprzeczne. Czy je poprawić?</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Niektóre opcje są sprzeczne. Popraw je.</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Zaawansowane</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Off</source>
        <translation>Wyłączona</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Strony</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Bindowanie wzdłuż krótszej krawędzi</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Podaj strony lub zakresy oddzielone przecinkami. Zakres to dwie liczby oddzielone łącznikiem. Na przykład 3,5-7,9 drukuje strony 3, 5, 6, 7 i 9.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Druk dwustronny</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Bindowanie wzdłuż dłuższej krawędzi</translation>
    </message>
</context>
</TS>
