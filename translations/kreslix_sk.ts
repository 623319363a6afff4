<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sk_SK">
    <context>
        <name>QPlatformTheme</name>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Uložiť</translation>
        </message>
        <message>
            <source>Save All</source>
            <translation>Uložiť všetko</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Otvoriť</translation>
        </message>
        <message>
            <source>&amp;Yes</source>
            <translation>Án&amp;o</translation>
        </message>
        <message>
            <source>Yes to &amp;All</source>
            <translation>Áno pre &amp;všetko</translation>
        </message>
        <message>
            <source>&amp;No</source>
            <translation>&amp;Nie</translation>
        </message>
        <message>
            <source>N&amp;o to All</source>
            <translation>Nie pre všetk&amp;o</translation>
        </message>
        <message>
            <source>Abort</source>
            <translation>Prerušiť</translation>
        </message>
        <message>
            <source>Retry</source>
            <translation>Skúsiť znova</translation>
        </message>
        <message>
            <source>Ignore</source>
            <translation>Ignorovať</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Zavrieť</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Zrušiť</translation>
        </message>
        <message>
            <source>Discard</source>
            <translation>Zahodiť</translation>
        </message>
        <message>
            <source>Don&apos;t Save</source>
            <translation>Neuložiť</translation>
        </message>
        <message>
            <source>Close without Saving</source>
            <translation>Zavrieť bez uloženia</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Pomocník</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Použiť</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Nastaviť pôvodné</translation>
        </message>
        <message>
            <source>Restore Defaults</source>
            <translation>Obnoviť štandardné</translation>
        </message>
    </context>
    <context>
        <name>QColorDialog</name>
        <message>
            <source>Pick Screen Color</source>
            <translation>Vybrať farbu z obrazovky</translation>
        </message>
        <message>
            <source>&amp;HTML:</source>
            <translation>&amp;HTML:</translation>
        </message>
    </context>
</TS>
