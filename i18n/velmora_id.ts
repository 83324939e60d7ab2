<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
<context>
    <name>BatchRecipientModel</name>
    <message>
        <source>Not delivered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncertain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next try %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not before %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dropped by the user; whether the phone sent it is not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ContentTabs</name>
    <message>
        <source>The content holds %1 octets where this tab sends %2 (72 x %3 pixels); it is kept and sent as loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture is %1 x %2 pixels where this tab sends 72 x %3; it is kept and sent as loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monochrome Bitmap Files, as shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG Pictures, as shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Graphic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[ None ]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am ironic, flirty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am glad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am sceptic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am sad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WOW !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am crying</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am winking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am laughing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am Indifferent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In love / Kissing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am confused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tongue hanging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I am angry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wearing glasses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Devil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chimes high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chimes low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TaDa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Claps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fanfar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chord high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chord low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures as an Operator Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures as a Group Graphic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures as a Picture Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converted to %1 x %2 pixels; the Picture Editor sets the threshold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This tune has %1 notes; one message carries the first %2 of them.
Send the first %2 notes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tune is too long for one message: only the first %1 of its %2 notes fit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ringtone ends after note %1 of %2, so it fits one message.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velmora loads pictures (PNG, JPEG, GIF, BMP, SVG) and NOL, NGG, VOL, VGG, VPM and RTTTL files; %1 is none of these.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Picture Editor draws the bitmap of the Operator Logo, Group Graphic and Picture Message tabs, and a picture converted into the EMS text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EMS picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 octets, %3 left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 octets, too long: the first %3 of %4 notes fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tune cannot be played: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InboxDialog</name>
    <message>
        <source>phone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>store %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is in the RingTone tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Graphic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is drawn on the Screen Appearance and is in the %1 tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored at: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This message could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parts: %1 of %2 came</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut short: the user data ends before its stated length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reference %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTTTL: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, place %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, places %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LinkIndicators</name>
    <message>
        <source>Reading from the phone</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MailMergeDialog</name>
    <message>
        <source>line %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageWords</name>
    <message>
        <source>the phone refused it (+CMS ERROR %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone refused it (+CME ERROR %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone refused it (ERROR)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone would not take PDUs (no OK to AT+CMGF=0)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone gave no prompt for the PDU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone did not answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the link to the phone was lost before the PDU went</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no phone was connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program stopped before the PDU went</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not delivered (TP-ST %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the history could not record it, so it was not sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>taken out of the queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its batch&apos;s time to send ran out first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone took the PDU but never answered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program stopped while it was being sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the link was lost after the phone took the PDU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dropped: it is not sent again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>whether the phone sent it is not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not delivered (TP-ST %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not delivered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncertain: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group graphic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ringtone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EMS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Void</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting indication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delivery report</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessagesWindow</name>
    <message>
        <source>part %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no PDU was kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reference %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone answered &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>report: %1 (TP-ST %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part %1 of %2: no answer of the phone&apos;s was recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part %1 of %2: not sent yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part %1 of %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The network says: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recorded: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delivered: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Through: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Was kept at: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its PDUs could not be read again: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not every part has come: what came is shown.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutboxWindow</name>
    <message>
        <source>paused: the phone stopped answering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paused: the link to the phone was lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paused: no phone is connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paused: the history could not record a step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 sent, %3 failed, %4 uncertain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 sent, %3 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>starts at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expires at %1, before all can go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>less than a minute left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PduFieldsDialog</name>
    <message>
        <source>%1: not read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: SMS-DELIVER from %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: SMS-SUBMIT to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: SMS-STATUS-REPORT on %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDU %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDUs %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parts: %1 of %2 came</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut short: the user data ends before its stated length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network: %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap: %1 x %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo: %1 beats a minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTTTL: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhonebookPanel</name>
    <message>
        <source>Contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer is available, so the phone book cannot be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; did not take the phone book; nothing was printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the phone book first (Phone Book, or Phonebook &gt; Read From SIM).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>vCard Files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrintLayout</name>
    <message>
        <source>***** Phonebook (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>***** Printed On %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>***** Continue to Next Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>***** End of Phonebook</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Prompter</name>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version 1.00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Smart Messaging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Velmora 1.00 - Smart Messaging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSSI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[99]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSSI value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BER value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last send failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last send succeeded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Phone Book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send Via SMS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rx</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CTS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RLSD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destination Mobile No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>International Format ( Ie: 628569999999 )</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>628569999999</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screen Appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Communication Monitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contacts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text SMS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum 160 Characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>160</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Characters left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flash Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blinking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Long / Unicode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sends a long text in parts, and any script in Unicode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator Logo File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator logo file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MCC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mobile Country Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Provider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator logo content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Graphic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Graphic File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group graphic file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group graphic content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture Message File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture message file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture message content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RingTone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ringtone File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ringtone file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[ RTTTL Format Only ]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ringtone text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title:d=4,o=5,b=125:c,8e,g</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;lay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ringtone content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Void Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mobile may discard the contents of the message, and only present the indication to the user.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About void messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indicator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voicemail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fax</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This  feature purpose for education only, please use it wisely and don&apos;t try to harm the other. Use it on your own risk ! We&apos;re not responsible for anything may happened with this feature.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EMS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Animation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input EMS Text Here !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Serial Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Baudrate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Phonebook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print All To ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Picture Editor ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Transmit Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Failed Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Phone ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask every serial device whether the phone answers there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4800</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;ast Dialogue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each command ends at the phone&apos;s answer instead of after fixed pauses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delivery &amp;Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask the network to report whether each message arrived (Fast Dialogue)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messa&amp;ges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every message sent and received, kept in the history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent &amp;Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Inbox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The messages kept on the phone and the SIM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Outbox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The batches sent to many, and where each message of them stands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Groups…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Named lists of recipients: their members, and sending to one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail &amp;Merge…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One text to every contact of a file, each filled in with their own details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make &amp;Group…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A group of the entries chosen in the phone book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;PDU Inspector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take pasted PDUs apart field by field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Shift+I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&amp;nspect Dialogue PDUs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDUs of the last message sent and of the inbox, in the PDU Inspector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Read From SIM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show Contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hide Contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export &amp;vCard...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone book read, as cards for a desktop address book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mobile Terminal Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delivered (%1 of %2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Mobile Terminal Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F/W Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMSI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service Center</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextTab</name>
    <message>
        <source>Maximum 69 Characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum 160 Characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Long: 160 characters per message, 153 per part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unicode: 70 characters per message, 67 per part</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora</name>
    <message>
        <source>usage: velmora [--device PATH | --device COMn=PATH ...]
       velmora --help | --version

Sends short messages through a GSM phone or USB modem on a serial or USB cable.

  --device PATH         the device of whichever port is chosen, for this run only
  --device COMn=PATH    the device COMn stands for, for this run only (repeatable)
  --help                show this help and exit
  --version             show the version and exit
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--device needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::ConversationModel</name>
    <message>
        <source>All messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every message sent, to any number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every message, sent and received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
1 message, the last %2:
%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
%2 messages, the last %3:
%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conversation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::ElidedLabel</name>
    <message>
        <source>Content file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::FindPhoneDialog</name>
    <message>
        <source>Find Phone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial devices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One row per device: its port, its path and what it answered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Use This Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use This Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>busy: this window is connected to it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>asking ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No serial device is present for COM1 to COM9.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking 1 device whether a phone answers ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking %1 devices whether a phone answers ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No other phone answered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A phone answered on %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No phone answered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This window is connected on %1. %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::GroupsDialog</name>
    <message>
        <source>&amp;Rename…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send to Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Members of the group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make a group from a contacts file (CSV) with a column of numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the group&apos;s name into the destination: Send sends to every member</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New name of the group:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the group &quot;%1&quot;? Its %2 members stay in the phone book.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact Lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no number, so no group was made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Contacts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name of the group of the %1 contacts of %2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A group named &quot;%1&quot; exists. Replace its %2 members with these %3?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::InboxDialog</name>
    <message>
        <source>&amp;Read From Phone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inbox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a message to read it in full.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the inbox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::MailMergeDialog</name>
    <message>
        <source>Contacts &amp;file…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send &amp;at:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Expire at:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail Merge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contacts file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contacts file path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The same content goes to every row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One row a contact: its number, name, text, coding and parts, or why it is left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seconds between messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages an hour at most</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no cap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Numbers in:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Interval:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At most an &amp;hour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contacts (CSV)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Placeholders: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a contacts file: a header row, then one row a contact.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the column of the numbers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking 1 row…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking %1 rows…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 recipient</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 recipients</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 left out: %3 and %4 more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 left out: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No column is named %1: mend the text or the file. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The messages would expire before the first of them could go: set the expiry after the start.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::MergePreviewModel</name>
    <message>
        <source>Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::MessageListModel</name>
    <message>
        <source>To %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::MessagesWindow</name>
    <message>
        <source>&amp;Resend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete from History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search texts, names and numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conversations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages of the conversation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture of the message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a message to read it in full.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send a message that failed, or whose fate is not known, again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the message into the tabs to send it on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the message&apos;s text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message history is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the history ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type %1 characters or more to search.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No messages yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No message matches &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 message matches &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 messages match &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send this message to %1 again?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The text is copied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete this message to %1 from the history?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete this message from %1 from the history?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message was not deleted: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::OutboxWindow</name>
    <message>
        <source>&amp;Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel the Rest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send &amp;Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Drop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outbox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recipients of the batch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold the batch&apos;s messages back, or let them go again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the messages not sent yet out of the batch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the chosen failed or uncertain messages back in the queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the chosen queued messages out of the batch; an uncertain one is marked as dealt with, since it may have gone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history is not open, so no batch can be shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No batch has been queued.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the %1 messages not sent yet out of &quot;%2&quot;? They will not be sent.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::PduFieldsDialog</name>
    <message>
        <source>&amp;Without service centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load into Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pla&amp;y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDU Inspector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDUs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste PDUs here, one a line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Without service centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Octets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDU octets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load into Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;DUs:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Inspect:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fields:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not read whole: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read as far as it goes: the user data ends before its stated length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not read: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::PictureCanvas</name>
    <message>
        <source>Picture editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::PictureEditorDialog</name>
    <message>
        <source>Picture Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Invert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invert picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threshold value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Dither</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dither</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 × %3 pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converted from a picture file. Moving the threshold or switching Dither converts it again and replaces any pixels changed by hand.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threshold and Dither convert a picture loaded from a PNG, JPEG, GIF, SVG or colour BMP file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::SignalCircle</name>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::SinkOutput</name>
    <message>
        <source>No audio output: the tune cannot be played here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audio output &quot;%1&quot; cannot play 16-bit mono sound.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audio output &quot;%1&quot; cannot be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audio output cannot be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audio output stopped playing the tune.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::TForm1</name>
    <message>
        <source>Please Open Communication Port !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch being sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM%1 is %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No viewer could be asked to open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the messages on the phone ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect to the phone to read its messages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 message on the phone so far: the read was stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 message on the phone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 messages on the phone so far: the read was stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 messages on the phone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the message that could not be read (%1) from the phone?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the message to %1 from the phone?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the message from %1 from the phone?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not deleted: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message was not deleted: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message was deleted from the phone. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New message from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New message from %1. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM asks for its PIN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM asks for its PIN (1 try left):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM asks for its PIN (%1 tries left):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIM PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was queued: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was queued:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These cannot be sent to:
%1

Queue the message to the other %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The same message to the same recipients was already queued as batch %1. Queue it again?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was queued: 
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch %1 was queued without these:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No group can be kept: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the entries of the group in the phone book first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name of the group of %1 entries:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A batch is still being sent: %1 messages are queued. Leave them queued for the next start?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No PDUs yet: send a message or read the inbox first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 from the inspector is in its tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Turn on Long / Unicode to send them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending SMS Part (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was sent: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A message is being sent; send this one after it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 is in its tab.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::TunePlayer</name>
    <message>
        <source>The tune has no notes to play.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velmora::ui::TComLed</name>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
