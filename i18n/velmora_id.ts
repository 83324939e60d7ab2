<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
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
    <name>velmora::TForm1</name>
    <message>
        <source>&amp;USSD...</source>
        <translation>&amp;USSD...</translation>
    </message>
    <message>
        <source>Ask the network for the balance or a data package with a code such as *123#</source>
        <translation>Tanyakan pulsa atau paket data ke jaringan dengan kode seperti *123#</translation>
    </message>
</context>
<context>
    <name>velmora::UssdDialog</name>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Kirim</translation>
    </message>
    <message>
        <source>&amp;End Session</source>
        <translation>&amp;Akhiri Sesi</translation>
    </message>
    <message>
        <source>USSD</source>
        <translation>USSD</translation>
    </message>
    <message>
        <source>USSD code</source>
        <translation>Kode USSD</translation>
    </message>
    <message>
        <source>for example *123#</source>
        <translation>misalnya *123#</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sesi</translation>
    </message>
    <message>
        <source>What was sent and what the network said appears here.</source>
        <translation>Yang dikirim dan jawaban jaringan tampil di sini.</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Balasan</translation>
    </message>
    <message>
        <source>when the network asks for a reply</source>
        <translation>saat jaringan meminta balasan</translation>
    </message>
    <message>
        <source>Ends the session with the network</source>
        <translation>Mengakhiri sesi dengan jaringan</translation>
    </message>
    <message>
        <source>&amp;Code:</source>
        <translation>&amp;Kode:</translation>
    </message>
    <message>
        <source>&amp;Reply:</source>
        <translation>&amp;Balasan:</translation>
    </message>
    <message>
        <source>The phone was disconnected; the session is over.</source>
        <translation>Ponsel terputus; sesi berakhir.</translation>
    </message>
    <message>
        <source>The session is not kept: %1</source>
        <translation>Sesi tidak disimpan: %1</translation>
    </message>
    <message>
        <source>Type the reply the network asks for, or end the session.</source>
        <translation>Ketik balasan yang diminta jaringan, atau akhiri sesi.</translation>
    </message>
    <message>
        <source>Type a code, for example *123# for the balance.</source>
        <translation>Ketik kode, misalnya *123# untuk cek pulsa.</translation>
    </message>
    <message>
        <source>Connect to the phone first.</source>
        <translation>Hubungkan ponsel terlebih dahulu.</translation>
    </message>
    <message>
        <source>USSD needs the Fast Dialogue: turn on Communication &gt; Fast Dialogue, then send the code again.</source>
        <translation>USSD memerlukan Dialog Cepat: nyalakan Komunikasi &gt; Dialog Cepat, lalu kirim kode lagi.</translation>
    </message>
    <message>
        <source>Waiting for the network ...</source>
        <translation>Menunggu jaringan ...</translation>
    </message>
    <message>
        <source>The network answered without words.</source>
        <translation>Jaringan menjawab tanpa teks.</translation>
    </message>
    <message>
        <source>The network ended the session.</source>
        <translation>Jaringan mengakhiri sesi.</translation>
    </message>
    <message>
        <source>Another program on the phone took the network&apos;s answer.</source>
        <translation>Program lain di ponsel mengambil jawaban jaringan.</translation>
    </message>
    <message>
        <source>The network does not support this code.</source>
        <translation>Jaringan tidak mendukung kode ini.</translation>
    </message>
    <message>
        <source>The network&apos;s time for the session ran out.</source>
        <translation>Waktu sesi dari jaringan habis.</translation>
    </message>
    <message>
        <source>The phone refused the request: %1</source>
        <translation>Ponsel menolak permintaan: %1</translation>
    </message>
    <message>
        <source>No answer from the network within %1 s; the session was ended.</source>
        <translation>Tidak ada jawaban dari jaringan dalam %1 detik; sesi diakhiri.</translation>
    </message>
    <message>
        <source>Cancelled; the session was ended.</source>
        <translation>Dibatalkan; sesi diakhiri.</translation>
    </message>
    <message>
        <source>The phone&apos;s answer could not be read: %1</source>
        <translation>Jawaban ponsel tidak dapat dibaca: %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Tidak dikirim: %1</translation>
    </message>
    <message>
        <source>USSD needs the Fast Dialogue: turn on Communication &gt; Fast Dialogue.</source>
        <translation>USSD memerlukan Dialog Cepat: nyalakan Komunikasi &gt; Dialog Cepat.</translation>
    </message>
    <message>
        <source>The phone is not connected.</source>
        <translation>Ponsel tidak terhubung.</translation>
    </message>
    <message>
        <source>The network asks for a reply.</source>
        <translation>Jaringan meminta balasan.</translation>
    </message>
    <message>
        <source>The session is over.</source>
        <translation>Sesi selesai.</translation>
    </message>
</context>
</TS>
