<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
<context>
    <name>cli</name>
    <message>
        <source>  --device PATH         the device of the port for this run
  --device COMn=PATH    the device of COMn for this run (repeatable)
  --port N              the port COMn to use (default: the settings file&apos;s)
  --baud RATE           the line speed (default: the settings file&apos;s)
  --fast                the fast dialogue: each command ends at the phone&apos;s
                        answer (default: the settings file&apos;s Dialogue)
  --pin PIN             the SIM&apos;s PIN, should it ask (fast dialogue); else it
                        is asked for on the terminal, once
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  --store PATH          the message store to record in (default: messages.sqlite
                        beside the logs, or the settings file&apos;s [Messages] Store=)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone answered: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIM PIN%1: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1:%2: not imported: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print the PDU text of a message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print the content a file loads into a tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>draw the screen preview of a picture file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read PDUs back into the messages they carry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>play a ringtone, or write it as a WAV file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send a message through the phone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print what the phone says about itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read the SIM&apos;s phone book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read the messages kept on the phone and the SIM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ask each serial device whether the phone is there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>list the messages sent and received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the outbox: list, pause, resume, cancel or run batches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: velmora-cli COMMAND [ARGS...]
       velmora-cli COMMAND --help
       velmora-cli --help | --version

Builds the PDUs of short messages and sends them through a GSM phone or USB modem.

commands:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  --help      show this help and exit
  --version   show the version and exit
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--port must be a number from 1 to 96</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--baud must be a line speed in bit/s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>content</name>
    <message>
        <source>usage: velmora-cli content FILE --as logo|group|picture|ringtone|ems [--threshold N] [--dither]
       velmora-cli preview FILE --as logo|group|picture [--threshold N] [--dither]

content prints the hex content the tab would hold (for a ringtone after its
&quot;Title = &quot; and &quot;Tempo = &quot; lines, for ems the picture tag); preview prints the
72 x 28 screen as 28 lines, &quot;#&quot; black and &quot;.&quot; white.
The file is read as that tab reads it: a file name containing BMP is a bitmap,
NOL (logo) or NGG (group) a logo file, anything else a content file; the
folders above the file do not count.
Any other picture (PNG, JPEG, GIF, BMP of any depth, SVG) is scaled to fit the
tab (72 x 14, 72 x 28 for a picture, at most 32 x 32 for ems) keeping its
proportions, centred on white, and made black and white:
  --threshold N  grey levels below N (0-255, default 128) become black
  --dither       spread each pixel&apos;s error to its neighbours (Floyd-Steinberg)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: unknown option %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: expected one FILE, got %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: --as is required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: --as must be logo, group, picture, ringtone or ems, not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: --as must be logo, group or picture, not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: --threshold must be 0 to 255, not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no %1 content comes from a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no content</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>decode</name>
    <message>
        <source>usage: velmora-cli decode [--json] [--no-smsc] [PDU...]

Reads each PDU (hex, as the phone lists it or as &quot;pdu&quot; prints it) and prints the
message in plain words, or with --json one JSON object per line. Without PDUs,
reads one per line from standard input; blank lines and lines starting with &quot;#&quot;
are skipped. The parts of a long message are joined.

  --json      one JSON object per message
  --no-smsc   the PDUs start at their first octet, without the service-centre
              part that phones put in front

Exit status: 0 when every PDU was read, 1 when one was refused (its line says
why), 2 for wrong usage.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>recipient</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>service centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>received by the centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>discharged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, blinking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> for MCC %1, NC %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: %1 active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: %1 inactive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, port %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>coding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valid for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 parts, reference %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; missing %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>truncated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the user data ends before its stated length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bitmap: %1 x %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>message %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>decode: unknown option %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>history</name>
    <message>
        <source>usage: velmora-cli history [--json] [--number N] [--search TEXT] [--state STATE]
                           [--direction in|out] [--limit N] [--store PATH]

Prints the messages sent and received that the message store keeps, newest
first, one a line: the time, &quot;out&quot; or &quot;in&quot;, the number and its name, the
state and the start of the text. Nothing is sent and no phone is needed.

  --json          a JSON array, one object a message, with its parts
  --number N      only the conversation with N (written in any of its forms)
  --search TEXT   only messages whose text, name or number holds TEXT, any case
  --state STATE   queued, sending, sent, delivered, not-delivered, failed,
                  uncertain or received
  --direction D   out (sent) or in (received)
  --limit N       at most N messages, the newest
  --store PATH    the store to read instead of the one the settings name

Exit status: 0 when the messages were printed (or there are none yet), 1 when
the store could not be read, 2 for wrong usage.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--number needs a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--state must be one of %1, not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--direction must be in or out, not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--limit must be a whole number of at least 1, not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no messages yet: %1 holds none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no messages yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no messages match</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>identify</name>
    <message>
        <source>usage: velmora-cli identify [LINK OPTIONS]
Connects and prints what the phone says about itself. On a terminal, control
characters and bytes that are not UTF-8 are shown as \xNN and a backslash as \\.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>identify: unexpected &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manufacturer: %1
Model: %2
Revision: %3
IMSI: %4
Service Centre: %5</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>inbox</name>
    <message>
        <source>usage: velmora-cli inbox [LINK OPTIONS] [--json] [--delete INDEX...]
Reads every message kept on the phone and on the SIM, joins the parts of long
messages and prints them as decode does, oldest first, each headed by where the
phone keeps it (&quot;SM:3&quot; is index 3 on the SIM, &quot;ME:3&quot; in the phone).

  --json            one JSON object per message, its places in &quot;index&quot;
  --delete INDEX... after the read, deletes each message named (&quot;SM:3&quot;, or &quot;3&quot;
                    when only one store has that index), once the phone shows
                    it still holds the message read; a long message is named by
                    any of its parts and deleted whole. Reading never deletes.

A store or a message the phone would not give is named on stderr.

Exit status: 0 when every message was read (and deleted), 1 when a store or a
message could not be read or one was not deleted, 2 for wrong usage, 3 when
the phone was not reached.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a message index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>index %1 is in more than one store; name it as SM:%1 or ME:%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the phone keeps no message there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>inbox: --delete needs at least one index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>inbox: unexpected &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the messages read are not kept: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no messages on the phone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no messages read from the phone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the message store could not keep it first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 deleted, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not deleted: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deleted %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pdu</name>
    <message>
        <source>pdu %1: unknown option %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu %1: %2 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu %1: expected %2 argument, got %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu %1: expected %2 arguments, got %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; the first %1 of the tune&apos;s %2 notes fit one message (--cut sends those)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: velmora-cli pdu text [--flash] [--blink] [--long] [--unicode] NUMBER TEXT
       velmora-cli pdu logo --mcc MCC --nc NC NUMBER (HEX | --file PATH)
       velmora-cli pdu group NUMBER (HEX | --file PATH)
       velmora-cli pdu picture NUMBER (HEX | --file PATH)   (the three parts, one per line)
       velmora-cli pdu ringtone NUMBER (HEX | --file PATH [--cut])
       velmora-cli pdu ems NUMBER TAGGED_TEXT
       velmora-cli pdu ems NUMBER --picture BMP [TEXT]
       velmora-cli pdu void NUMBER
       velmora-cli pdu indicator --kind voicemail|fax|email (--active|--inactive) NUMBER

NUMBER: &quot;+&quot; signs are dropped and a leading 0 becomes 62; then 1 to 20 digits.
HEX: content as hex digits; case and white space do not matter.
PATH: a file read as the tab reads it (BMP, NOL, NGG or content file; RTTTL text
for a ringtone). --picture puts the EMS picture tag of a BMP in front of TEXT.
--cut (ringtone from a file): a tune too long for one message is cut after the
last note that fits; without it such a tune is refused.
--long (text): a text too long for one message goes as concatenated parts, one
PDU per line (at most 255 parts of 153 GSM characters, or 67 UTF-16 units in
Unicode). --unicode (text): the text goes as UCS2, which carries any character
(70 UTF-16 units in one message). Both: GSM 7-bit when every character has a
GSM form, else UCS2. A flash message is one UCS2 message and takes neither.
TEXT and TAGGED_TEXT are UTF-8.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu: which kind of message?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu: unknown kind &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu text: a flash message is one UCS2 message; --flash takes neither --long nor --unicode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu ringtone: --cut needs the tune as RTTTL text: give it with --file PATH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu logo: --mcc and --nc are required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu indicator: --kind voicemail|fax|email is required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu indicator: give exactly one of --active and --inactive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pdu indicator: --kind must be voicemail, fax or email, not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>phonebook</name>
    <message>
        <source>usage: velmora-cli phonebook [LINK OPTIONS] [--export FILE] [--vcard FILE]
Reads the SIM&apos;s phone book and prints it as the text export; --export also writes it
to FILE, --vcard writes it as vCard 3.0 cards for an address book. On a terminal
the entries are shown escaped as by identify; FILE and a pipe get the phone&apos;s
bytes unchanged.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>phonebook: %1 needs a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>phonebook: unexpected &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ports</name>
    <message>
        <source>usage: velmora-cli ports [--device PATH | --device COMn=PATH]... [--baud RATE] [PATH...]
Asks each serial device whether a phone answers there, about a second for all of
them: the devices COM1 to COM9 stand for (and any further COMn the settings file or
--device names), only those present, or else the PATHs given. Prints one line each:
the port (&quot;-&quot; for a device no COMn stands for), the device, and what it found:
&quot;answers: MANUFACTURER MODEL&quot;, &quot;no answer&quot;, &quot;busy: held by NAME (pid N)&quot; or why it
could not be opened. Nothing is written to a device another program has open (the
maker of a virtual port, such as socat, does not count), and every line is left
with the settings it had. Exit status 0 when a phone answered,
3 when none did.
  --device PATH         the device of every port for this run
  --device COMn=PATH    the device of COMn for this run (repeatable)
  --baud RATE           the line speed to ask at (default: the settings file&apos;s)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ports: --port does not apply: every port is asked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ports: unknown option &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ports: no serial device is present for COM1 to COM%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>queue</name>
    <message>
        <source>usage: velmora-cli queue list [--json] [BATCH] [--store PATH]
       velmora-cli queue pause BATCH [--store PATH]
       velmora-cli queue resume BATCH|MESSAGE [--store PATH]
       velmora-cli queue cancel BATCH|MESSAGE [--store PATH]
       velmora-cli queue run [LINK OPTIONS] [--follow]

The outbox: the batches &quot;send --to&quot; and &quot;send --to-file&quot; queued, each message
of them recorded before anything went. A batch is written B3, a message by its
number alone (as &quot;send&quot; prints it).
  list            every batch with what became of its messages; with BATCH, its
                  messages; --json for a program
  pause           hold a batch: what is queued stays queued
  resume          go on with a batch (also one the program paused when the phone
                  stopped answering); of a failed or uncertain message: send it
                  again
  cancel          take what is queued of a batch, or one message, out; an
                  uncertain message is dropped: it is not sent again
  run             send what is due and wait for what is scheduled, until nothing
                  is queued (or for ever with --follow); prints each message&apos;s end

Exit status of run: 0 when every message was sent, 1 when one failed or is
uncertain, 3 when the phone could not be reached or stopped answering.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 uncertain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message %1 to %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, tried again from %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting until %1 for the next message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch B%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>batch B%1 is paused (the phone stopped answering): %2 queued; &quot;velmora-cli queue resume B%1&quot; goes on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>batch B%1 is paused: %2 queued; &quot;velmora-cli queue resume B%1&quot; goes on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>batch B%1 has %2 uncertain: they may have gone; &quot;velmora-cli queue list B%1&quot; names them, &quot;queue resume MESSAGE&quot; sends one again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue run: unexpected &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing is queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue: unknown &quot;%1&quot;: list, pause, resume, cancel or run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue %1: unknown option %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue %1: %2 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue %1: --json goes with list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue %1: expected one batch (B3) or message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue %1: &quot;%2&quot; is no batch (B3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue %1: &quot;%2&quot; is no batch (B3) or message number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue pause: only a batch is paused; a batch is written B and its number, as queue list shows it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing was ever queued: there is no %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was ever queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no batch B%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch B%1 %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(not before %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no message %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch B%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>message %1 is %2: nothing to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>send</name>
    <message>
        <source>Sending to many (the kind then takes no number):
  --to LIST             numbers, phone-book names and groups, between commas or
                        semicolons
  --to-file FILE.csv    a contacts file with a header row; {column} in a text is
                        filled from each row
  --number-column NAME  the column of the numbers (default: the first that holds
                        numbers)
  --interval SECONDS    between one message&apos;s start and the next&apos;s
  --per-hour N          at most N messages in any hour
  --at &quot;YYYY-MM-DD HH:MM&quot;      queue only; &quot;queue run&quot; sends it from then on
  --expire &quot;YYYY-MM-DD HH:MM&quot;  send none after this time
  --again               queue it even when the same batch was queued before
Each recipient&apos;s message is recorded before anything goes; the outcome of each
is printed as it ends. Exit status 0 when every message was sent, 1 when one
failed or is uncertain or a recipient was left out (named on stderr), 3 when
the phone could not be reached, 4 when the same batch was queued before (the
line names it).
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is given twice: put every recipient in one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--interval must be a number of seconds from 0 to 86400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--per-hour must be a number from 0 (no cap) to 100000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be a time written &quot;YYYY-MM-DD HH:MM&quot; (that exists here), not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 is in the past</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send: --to and --to-file cannot be given together</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send: --number-column goes with --to-file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send: --expire must be after --at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (with --to or --to-file the kind takes no number)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing queued: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the text has %1, which only a contacts file (--to-file) fills; write {{ and }} for braces of your own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the text names %1, which is not a column of %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the text names %1, which are not a column of %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>once only: %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left out: %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing queued: the same message to the same recipients was queued as batch B%1 (%2: %3); --again queues it once more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing queued: the same message to the same recipients was queued as batch B%1; --again queues it once more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch B%1: %2 message queued to go from %3; &quot;velmora-cli queue run&quot; sends them from then</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch B%1: %2 messages queued to go from %3; &quot;velmora-cli queue run&quot; sends them from then</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch B%1: %2 message queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch B%1: %2 messages queued</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>batch B%1 stays queued; &quot;velmora-cli queue run&quot; sends it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: velmora-cli send [LINK OPTIONS] KIND ARGS...
KIND and ARGS as for &quot;velmora-cli pdu&quot;. Prints each part&apos;s outcome: &quot;Message Sent&quot;,
&quot;Fail (1)&quot; or &quot;Unknown&quot;; exit status 0 when every part was sent, 1 when one was not,
3 when the phone could not be reached. Interrupted (Ctrl-C, SIGTERM, SIGHUP), it
ends the dialogue, logs a part already handed to the phone as unknown and exits
with 128 + the signal (130 for Ctrl-C).
  --report              ask the network for a delivery report of each part (uses
                        the fast dialogue), wait for it and print &quot;Delivered&quot; or
                        &quot;Not delivered: REASON&quot;; exit status 0 when every part
                        was delivered, 1 when one was not, 3 when a report did
                        not come in time
  --report-wait SECONDS how long to wait for the reports (default 60)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No delivery report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send: --report-wait needs a number of seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send: --report-wait must be a number of seconds from 0 to 86400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send: --report goes with one recipient, not --to or --to-file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send: the batch options go with --to or --to-file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing sent: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no delivery reports: the phone will not pass them on</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tone</name>
    <message>
        <source>usage: velmora-cli tone FILE|RTTTL [--wav OUT.wav]

Plays a ringtone on the default audio output as the phone will play it: the
notes, lengths, tempo and style the ringtone message carries, read back from
the octets the encoder builds. FILE is read as the RingTone tab reads it (its
first line); an argument holding &quot;:&quot; that names no file is taken as the RTTTL
line itself. A tune is played once plus the repeats its loop count asks for,
three times at most; one that repeats forever is played once. Ctrl+C stops it.

  --wav OUT.wav   write the sound to OUT.wav (16-bit mono, 22050 Hz) instead

What the encoder passes over or rounds is named on stderr by its character;
a tune without notes is refused.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tone: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tone: unknown option %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tone: %1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tone: expected one FILE or RTTTL line, got %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tone: the tune has no notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tone: the tune is too long for one message: only the first %1 of its %2 notes fit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
