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
            <source>&amp;Pick Screen Color</source>
            <translation>Vybrať farbu z &amp;obrazovky</translation>
        </message>
        <message>
            <source>Cursor at %1, %2
Press ESC to cancel</source>
            <translation>Kurzor na %1, %2
Esc výber zruší</translation>
        </message>
        <message>
            <source>&amp;HTML:</source>
            <translation>&amp;HTML:</translation>
        </message>
    </context>
    <context>
        <name>QPrintPropertiesDialog</name>
        <message>
            <source>Printer Properties</source>
            <translation>Vlastnosti tlačiarne</translation>
        </message>
        <message>
            <source>Job Options</source>
            <translation>Možnosti úlohy</translation>
        </message>
        <message>
            <source>Advanced Option Conflicts</source>
            <translation>Konflikty rozšírených možností</translation>
        </message>
        <message>
            <source>There are conflicts in some advanced options. Do you want to fix them?</source>
            <translation>Niektoré rozšírené možnosti sú v konflikte. Chcete ich opraviť?</translation>
        </message>
        <message>
            <source>Page Setup Conflicts</source>
            <translation>Konflikty v nastavení strany</translation>
        </message>
        <message>
            <source>There are conflicts in page setup options. Do you want to fix them?</source>
            <translation>Niektoré možnosti nastavenia strany sú v konflikte. Chcete ich opraviť?</translation>
        </message>
    </context>
    <context>
        <name>QPrintPropertiesWidget</name>
        <message>
            <source>Advanced</source>
            <translation>Rozšírené</translation>
        </message>
        <message>
            <source>There are conflicts in some options. Please fix them.</source>
            <translation>Niektoré možnosti sú v konflikte. Opravte ich, prosím.</translation>
        </message>
    </context>
    <context>
        <name>QPageSetupWidget</name>
        <message>
            <source>Page Layout</source>
            <translation>Rozloženie strán</translation>
        </message>
        <message>
            <source>Pages per sheet:</source>
            <translation>Strán na hárok:</translation>
        </message>
        <message>
            <source>Page order:</source>
            <translation>Poradie strán:</translation>
        </message>
        <message>
            <source>Custom</source>
            <translation>Vlastná</translation>
        </message>
        <message>
            <source>Pica (P̸)</source>
            <translation>Piky (P̸)</translation>
        </message>
        <message>
            <source>Didot (DD)</source>
            <translation>Didoty (DD)</translation>
        </message>
        <message>
            <source>Cicero (CC)</source>
            <translation>Cicerá (CC)</translation>
        </message>
    </context>
    <context>
        <name>QPrintDialog</name>
        <message>
            <source>Left to Right, Top to Bottom</source>
            <translation>Zľava doprava, zhora nadol</translation>
        </message>
        <message>
            <source>Left to Right, Bottom to Top</source>
            <translation>Zľava doprava, zdola nahor</translation>
        </message>
        <message>
            <source>Right to Left, Bottom to Top</source>
            <translation>Sprava doľava, zdola nahor</translation>
        </message>
        <message>
            <source>Right to Left, Top to Bottom</source>
            <translation>Sprava doľava, zhora nadol</translation>
        </message>
        <message>
            <source>Bottom to Top, Left to Right</source>
            <translation>Zdola nahor, zľava doprava</translation>
        </message>
        <message>
            <source>Bottom to Top, Right to Left</source>
            <translation>Zdola nahor, sprava doľava</translation>
        </message>
        <message>
            <source>Top to Bottom, Left to Right</source>
            <translation>Zhora nadol, zľava doprava</translation>
        </message>
        <message>
            <source>Top to Bottom, Right to Left</source>
            <translation>Zhora nadol, sprava doľava</translation>
        </message>
        <message>
            <source>All Pages</source>
            <translation>Všetky strany</translation>
        </message>
        <message>
            <source>Odd Pages</source>
            <translation>Nepárne strany</translation>
        </message>
        <message>
            <source>Even Pages</source>
            <translation>Párne strany</translation>
        </message>
        <message>
            <source>Duplex Settings Conflicts</source>
            <translation>Konflikty v nastavení obojstrannej tlače</translation>
        </message>
        <message>
            <source>There are conflicts in duplex settings. Do you want to fix them?</source>
            <translation>Nastavenia obojstrannej tlače sú v konflikte. Chcete ich opraviť?</translation>
        </message>
    </context>
    <context>
        <name>QCupsJobWidget</name>
        <message>
            <source>Job Control</source>
            <translation>Riadenie úlohy</translation>
        </message>
        <message>
            <source>Scheduled printing:</source>
            <translation>Naplánovaná tlač:</translation>
        </message>
        <message>
            <source>Billing information:</source>
            <translation>Fakturačné údaje:</translation>
        </message>
        <message>
            <source>Job priority:</source>
            <translation>Priorita úlohy:</translation>
        </message>
        <message>
            <source>Banner Pages</source>
            <translation>Oddeľovacie strany</translation>
        </message>
        <message>
            <source>Start:</source>
            <translation>Na začiatku:</translation>
        </message>
        <message>
            <source>End:</source>
            <translation>Na konci:</translation>
        </message>
        <message>
            <source>Print Immediately</source>
            <translation>Tlačiť ihneď</translation>
        </message>
        <message>
            <source>Hold Indefinitely</source>
            <translation>Pozdržať na neurčito</translation>
        </message>
        <message>
            <source>Day (06:00 to 17:59)</source>
            <translation>Cez deň (06:00 až 17:59)</translation>
        </message>
        <message>
            <source>Night (18:00 to 05:59)</source>
            <translation>V noci (18:00 až 05:59)</translation>
        </message>
        <message>
            <source>Second Shift (16:00 to 23:59)</source>
            <translation>Druhá zmena (16:00 až 23:59)</translation>
        </message>
        <message>
            <source>Third Shift (00:00 to 07:59)</source>
            <translation>Tretia zmena (00:00 až 07:59)</translation>
        </message>
        <message>
            <source>Weekend (Saturday to Sunday)</source>
            <translation>Cez víkend (sobota až nedeľa)</translation>
        </message>
        <message>
            <source>Specific Time</source>
            <translation>V určený čas</translation>
        </message>
        <message>
            <source>None</source>
            <comment>CUPS Banner page</comment>
            <translation>Žiadna</translation>
        </message>
        <message>
            <source>Standard</source>
            <comment>CUPS Banner page</comment>
            <translation>Štandardná</translation>
        </message>
        <message>
            <source>Unclassified</source>
            <comment>CUPS Banner page</comment>
            <translation>Neutajované</translation>
        </message>
        <message>
            <source>Confidential</source>
            <comment>CUPS Banner page</comment>
            <translation>Dôverné</translation>
        </message>
        <message>
            <source>Classified</source>
            <comment>CUPS Banner page</comment>
            <translation>Vyhradené</translation>
        </message>
        <message>
            <source>Secret</source>
            <comment>CUPS Banner page</comment>
            <translation>Tajné</translation>
        </message>
        <message>
            <source>Top Secret</source>
            <comment>CUPS Banner page</comment>
            <translation>Prísne tajné</translation>
        </message>
    </context>
    <context>
        <name>QPPDOptionsModel</name>
        <message>
            <source>Name</source>
            <translation>Názov</translation>
        </message>
        <message>
            <source>Value</source>
            <translation>Hodnota</translation>
        </message>
    </context>
</TS>
