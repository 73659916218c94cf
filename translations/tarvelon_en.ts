<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Texts</name>
    <message numerus="yes">
        <source>not downloaded</source>
        <translation>
            <numerusform>not downloaded</numerusform>
            <numerusform>not downloaded</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n more unacknowledged</source>
        <translation>
            <numerusform>; %n more unacknowledged</numerusform>
            <numerusform>; %n more unacknowledged</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n unacknowledged events chosen.</source>
        <translation>
            <numerusform>%n unacknowledged event chosen.</numerusform>
            <numerusform>%n unacknowledged events chosen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>&lt;b&gt;%1&lt;/b&gt;: %n tube(s), %2 in ALARM, %3 in ALERT</source>
        <translation>
            <numerusform>&lt;b&gt;%1&lt;/b&gt;: %n tube, %2 in ALARM, %3 in ALERT</numerusform>
            <numerusform>&lt;b&gt;%1&lt;/b&gt;: %n tubes, %2 in ALARM, %3 in ALERT</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>listed</source>
        <translation>
            <numerusform>listed</numerusform>
            <numerusform>listed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not listed</source>
        <translation>
            <numerusform>not listed</numerusform>
            <numerusform>not listed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not cleared in the unit</source>
        <translation>
            <numerusform>not cleared in the unit</numerusform>
            <numerusform>not cleared in the unit</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cleared</source>
        <translation>
            <numerusform>cleared</numerusform>
            <numerusform>cleared</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>downloaded</source>
        <translation>
            <numerusform>downloaded</numerusform>
            <numerusform>downloaded</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not read</source>
        <translation>
            <numerusform>not read</numerusform>
            <numerusform>not read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>read into the header file</source>
        <translation>
            <numerusform>read into the header file</numerusform>
            <numerusform>read into the header file</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not written</source>
        <translation>
            <numerusform>not written</numerusform>
            <numerusform>not written</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>written</source>
        <translation>
            <numerusform>written</numerusform>
            <numerusform>written</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 written</source>
        <translation>
            <numerusform>%1 written</numerusform>
            <numerusform>%1 written</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>set to the default zero and gain</source>
        <translation>
            <numerusform>set to the default zero and gain</numerusform>
            <numerusform>set to the default zero and gain</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not changed</source>
        <translation>
            <numerusform>not changed</numerusform>
            <numerusform>not changed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>acknowledged: %n event(s) of %1</source>
        <translation>
            <numerusform>acknowledged: %n event of %1</numerusform>
            <numerusform>acknowledged: %n events of %1</numerusform>
        </translation>
    </message>
</context>
</TS>
