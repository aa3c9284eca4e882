<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AppModel</name>
    <message numerus="yes">
        <source>%n sentence(s) you edited were kept.</source>
        <translation>
            <numerusform>%n sentence you edited was kept.</numerusform>
            <numerusform>%n sentences you edited were kept.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PracticeView</name>
    <message numerus="yes">
        <source>Play the sentence %n time(s) with a pause to repeat it (Space)</source>
        <translation>
            <numerusform>Play the sentence %n time with a pause to repeat it (Space)</numerusform>
            <numerusform>Play the sentence %n times with a pause to repeat it (Space)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecordingMeter</name>
    <message numerus="yes">
        <source>%n second(s) left</source>
        <translation>
            <numerusform>%n second left</numerusform>
            <numerusform>%n seconds left</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RelativeDate</name>
    <message numerus="yes">
        <source>%n year(s) ago</source>
        <translation>
            <numerusform>%n year ago</numerusform>
            <numerusform>%n years ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n year(s)</source>
        <translation>
            <numerusform>in %n year</numerusform>
            <numerusform>in %n years</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n month(s) ago</source>
        <translation>
            <numerusform>%n month ago</numerusform>
            <numerusform>%n months ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n month(s)</source>
        <translation>
            <numerusform>in %n month</numerusform>
            <numerusform>in %n months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) ago</source>
        <translation>
            <numerusform>%n week ago</numerusform>
            <numerusform>%n weeks ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n week(s)</source>
        <translation>
            <numerusform>in %n week</numerusform>
            <numerusform>in %n weeks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>%n day ago</numerusform>
            <numerusform>%n days ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n day(s)</source>
        <translation>
            <numerusform>in %n day</numerusform>
            <numerusform>in %n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>%n hour ago</numerusform>
            <numerusform>%n hours ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n hour(s)</source>
        <translation>
            <numerusform>in %n hour</numerusform>
            <numerusform>in %n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>%n minute ago</numerusform>
            <numerusform>%n minutes ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>in %n minute</numerusform>
            <numerusform>in %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) ago</source>
        <translation>
            <numerusform>%n second ago</numerusform>
            <numerusform>%n seconds ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n second(s)</source>
        <translation>
            <numerusform>in %n second</numerusform>
            <numerusform>in %n seconds</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SplitStatus</name>
    <message numerus="yes">
        <source>%n sentence(s) · transcript (%1, on this computer)</source>
        <translation>
            <numerusform>%n sentence · transcript (%1, on this computer)</numerusform>
            <numerusform>%n sentences · transcript (%1, on this computer)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · subtitles (%1)</source>
        <translation>
            <numerusform>%n sentence · subtitles (%1)</numerusform>
            <numerusform>%n sentences · subtitles (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · subtitles (%1, %2)</source>
        <translation>
            <numerusform>%n sentence · subtitles (%1, %2)</numerusform>
            <numerusform>%n sentences · subtitles (%1, %2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript</source>
        <translation>
            <numerusform>%n sentence · transcript</numerusform>
            <numerusform>%n sentences · transcript</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · transcript (%1)</source>
        <translation>
            <numerusform>%n sentence · transcript (%1)</numerusform>
            <numerusform>%n sentences · transcript (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sentence(s) · split at pauses</source>
        <translation>
            <numerusform>%n sentence · split at pauses</numerusform>
            <numerusform>%n sentences · split at pauses</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StartView</name>
    <message numerus="yes">
        <source>%n sentence(s) due for review</source>
        <translation>
            <numerusform>%n sentence due for review</numerusform>
            <numerusform>%n sentences due for review</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hard</source>
        <translation>
            <numerusform>%n hard</numerusform>
            <numerusform>%n hard</numerusform>
        </translation>
    </message>
</context>
</TS>
