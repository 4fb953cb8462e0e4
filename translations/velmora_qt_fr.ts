<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Print Device Input Slot</name>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
</context>
<context>
    <name>Print Device Output Bin</name>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Lecteur</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Dossier de fichiers</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Raccourci</translation>
    </message>
</context>
<context>
    <name>QCupsPrinterSupport</name>
    <message>
        <source>Authentication needed to use %1 on %2.</source>
        <translation>Une authentification est nécessaire pour utiliser %1 sur %2.</translation>
    </message>
    <message>
        <source>Authentication needed to use %1.</source>
        <translation>Une authentification est nécessaire pour utiliser %1.</translation>
    </message>
    <message>
        <source>Authentication Needed</source>
        <translation>Authentification nécessaire</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Nom d’utilisateur :</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Les réglages recto verso sont en conflit. Voulez-vous les corriger ?</translation>
    </message>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Définition des pages non valide</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 ne suit pas la syntaxe correcte. Séparez les plages et les pages par « , », définissez les plages avec « - » et veillez à ce qu’elles ne se chevauchent pas.</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Conflits de réglages recto verso</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Conflits d’options avancées</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Conflits de mise en page</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Certaines options avancées sont en conflit. Voulez-vous les corriger ?</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Les options de mise en page sont en conflit. Voulez-vous les corriger ?</translation>
    </message>
    <message>
        <source>Printer Properties</source>
        <translation>Propriétés de l’imprimante</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Certaines options sont en conflit. Corrigez-les.</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Off</source>
        <translation>Désactivée</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Reliure sur le bord court</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Indiquez des pages ou des plages séparées par des virgules. Une plage s’indique par deux nombres séparés par un trait d’union. Par exemple, 3,5-7,9 imprime les pages 3, 5, 6, 7 et 9.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Impression recto verso</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Reliure sur le bord long</translation>
    </message>
</context>
</TS>
