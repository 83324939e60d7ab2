<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
<context>
    <name>BatchBuilder</name>
    <message>
        <source>already in the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>already in the list (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the group has no members</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in the group &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone book has %1 numbers for this name: type the one to send to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>neither a number nor a group&apos;s or the phone book&apos;s name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in the phone book: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has no number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no such row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ComDevices</name>
    <message>
        <source>&quot;%1&quot; is not COMn=PATH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port COM1 to COM96</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>needs a device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2 bit/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (serial devices are for members of the dialout group: sudo adduser $USER dialout, then log in again)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (another program is using it)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageImport</name>
    <message>
        <source>&quot;%1&quot; is larger than %2 MiB !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a picture Velmora can read (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 x %3 pixels; Velmora reads pictures of up to %4 million pixels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no %1 picture in it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1 picture in it is cut short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture could not be made into a PNG</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Logs</name>
    <message>
        <source>Unable to write to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageService</name>
    <message>
        <source>the message is not queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this message cannot be sent again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageStore</name>
    <message>
        <source>unknown error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message store %1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a Velmora message store: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it belongs to another program (application id 0x%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message store %1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not an SQLite database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds another program&apos;s tables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not &quot;dd-mm-yyyy hh:mm:ss AM NUMBER PDU&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the date &quot;%1&quot; is not dd-mm-yyyy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the time &quot;%1&quot; is not hh:mm:ss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its PDU is not hexadecimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder of the message store %1 could not be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message store %1 could not be opened: Qt&apos;s SQLite driver is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message store %1 could not be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message store %1 could not be brought to schema %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message from %1 was not recorded: the phone gave no PDU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message from %1 was not recorded: its PDU is longer than %2 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The received log %1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The received log %1 is larger than 512 MiB; nothing was imported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The received log %1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its PDU could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>longer than 4 KiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The received log %1 could not be read to its end: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A group needs a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is already a group named &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is no longer there: it was deleted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Outbox</name>
    <message>
        <source>no recipient could be queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the same message to the same recipients was queued as batch %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>message %1 is not one of a batch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>message %1 is %2, not failed or uncertain</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhoneSession</name>
    <message>
        <source>The phone&apos;s answer to %1 is too long to read; it was left unread</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A line of the phone&apos;s answer to %1 is longer than %2 KiB; only its start was read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone does not pass on delivery reports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone does not pass on delivery reports (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1 try left)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1 tries left)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check SIM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM asks for %1, which Velmora does not give: unlock it in a phone, then connect again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM asks for its PIN%1; none was given, so the port is closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A PIN is 4 to 8 digits; nothing was sent to the SIM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter SIM PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM refused the PIN%1; connect again to give another</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter PDU Mode OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready To Receive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get contact from SIM (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found (%1) Contacts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get provider list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; use Fast Dialogue to enter the PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port %1 already open, please disconnect first before you want to use another serial port !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Communication Port Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialization</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Response From Mobile Phone !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open port %1 !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialization Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Communication Port Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection to the phone lost (%1), please check data cable connection !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Signal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to get RSSI (%1), please check data cable connection !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received Signal Strength Indication (RSSI) reading taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>phone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 message %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1 store (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1 store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no final answer came in time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone gave the %1 as text, not as a PDU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 could not be read (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 is gone%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get message storages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone names no message storage Velmora reads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select %1 messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone refuses PDU mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone refuses PDU mode (%1), so no message was read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get messages from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not read to its end: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1:%2 could not be read (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found (%1) Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected to the phone; nothing was deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone would not open its %1 messages%2; nothing was deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone refuses PDU mode%1; nothing was deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; nothing was deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 has changed since it was read; nothing was deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone did not delete the %1%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted the %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection to the phone lost (%1); the %2 may or may not be deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new %1 message %2 could not be read: the phone would not open its store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>new %1 message %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 message %2 (a delivery report)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 could not be read: the phone would not open its store</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortProbe</name>
    <message>
        <source>%1 (pid %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>held by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>answers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>answers: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (nothing is connected behind this device)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>busy: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in exclusive use by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a serial device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too many processes and open files to see whether another program holds it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>locked by another program</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Recipients</name>
    <message>
        <source>column %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the header row has %1 columns, more than the %2 read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more than %1 rows: split the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 has %2 cells, more than the %3 read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more than %1 cells: split the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the quote opened on line %1 is never closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no header row: the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: larger than %2 MB, more than a contacts file is read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: written in UTF-16; save it as CSV in UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no column &quot;%1&quot;; the columns are %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no column looks like phone numbers; the columns are %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[Outbox] Retries=%1 is not from 0 to %2; 2 is used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not read (%2); using the defaults and leaving the file as it is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>larger than 1 MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SubmitOutcome</name>
    <message>
        <source>Fail (no PDU mode)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fail (no prompt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fail (1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message Sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fail (not connected)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
