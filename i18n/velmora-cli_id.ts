<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
<context>
    <name>velmora-cli</name>
    <message>
        <source>usage: velmora-cli ussd [LINK OPTIONS] [--wait SECONDS] CODE [REPLY...]
Sends a USSD code (&quot;*123#&quot; for the balance) and prints the network&apos;s answer.
When the network asks for more, the next REPLY is sent; with none left, it is
asked for on the terminal (an empty line ends the session). Ctrl-C, or no
answer within the wait, ends the session with the network. Needs the fast
dialogue (--fast, or Dialogue=fast in the settings file).

  --wait SECONDS    how long to wait for each answer of the network
                    (default 30, at most 600)

Whether the modem takes requests as text or as packed GSM 7-bit hex is found
out and remembered per modem in the settings file ([USSD Encodings]);
[Communication Port] UssdEncoding=text or packed sets it for every modem.
Each session is kept in the message store (kind &quot;ussd&quot;): see history.

Exit status: 0 when the network answered, 1 when the phone or the network
refused or no answer came, 2 for wrong usage, 3 when the phone was not reached.
</source>
        <translation>usage: velmora-cli ussd [LINK OPTIONS] [--wait SECONDS] CODE [REPLY...]
Mengirim kode USSD (&quot;*123#&quot; untuk cek pulsa) dan mencetak jawaban jaringan.
Bila jaringan meminta lebih, REPLY berikutnya dikirim; bila tidak ada lagi,
balasan ditanyakan di terminal (baris kosong mengakhiri sesi). Ctrl-C, atau
tidak ada jawaban selama waktu tunggu, mengakhiri sesi dengan jaringan.
Memerlukan dialog cepat (--fast, atau Dialogue=fast di berkas pengaturan).

  --wait SECONDS    berapa lama menunggu setiap jawaban jaringan
                    (bawaan 30, paling lama 600)

Apakah modem menerima permintaan sebagai teks atau sebagai hex GSM 7-bit
terpadatkan dicari tahu dan diingat per modem di berkas pengaturan
([USSD Encodings]); [Communication Port] UssdEncoding=text atau packed
menetapkannya untuk semua modem. Setiap sesi disimpan di penyimpanan pesan
(jenis &quot;ussd&quot;): lihat history.

Status keluar: 0 bila jaringan menjawab, 1 bila ponsel atau jaringan menolak
atau tidak ada jawaban, 2 untuk penggunaan yang salah, 3 bila ponsel tidak
terjangkau.
</translation>
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
        <source>Stopped; the session was ended.</source>
        <translation>Dihentikan; sesi diakhiri.</translation>
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
        <source>The phone is not connected.</source>
        <translation>Ponsel tidak terhubung.</translation>
    </message>
    <message>
        <source>USSD needs the fast dialogue: give --fast, or set Dialogue=fast in the settings file</source>
        <translation>USSD memerlukan dialog cepat: berikan --fast, atau atur Dialogue=fast di berkas pengaturan</translation>
    </message>
    <message>
        <source>the session is not kept: %1</source>
        <translation>sesi tidak disimpan: %1</translation>
    </message>
    <message>
        <source>Reply (an empty line ends): </source>
        <translation>Balasan (baris kosong mengakhiri): </translation>
    </message>
    <message>
        <source>Interrupted; the session was ended.</source>
        <translation>Disela; sesi diakhiri.</translation>
    </message>
</context>
</TS>
