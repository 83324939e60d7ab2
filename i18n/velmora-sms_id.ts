<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
<context>
    <name>smslib/Bitmap</name>
    <message>
        <source>Invalid / Corrupt BMP File !</source>
        <translation>Berkas BMP tidak valid / rusak !</translation>
    </message>
    <message>
        <source>Not a Monochrome BMP File (1 bit per pixel) !</source>
        <translation>Bukan berkas BMP hitam-putih (1 bit per piksel) !</translation>
    </message>
    <message>
        <source>Compressed BMP Files are not supported !</source>
        <translation>Berkas BMP terkompresi tidak didukung !</translation>
    </message>
    <message>
        <source>Invalid / Corrupt NOL File !</source>
        <translation>Berkas NOL tidak valid / rusak !</translation>
    </message>
    <message>
        <source>Invalid / Corrupt NGG File !</source>
        <translation>Berkas NGG tidak valid / rusak !</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is larger than 1 MiB !</source>
        <translation>Berkas &quot;%1&quot; lebih besar dari 1 MiB !</translation>
    </message>
    <message>
        <source>The BMP File is larger than 1 MiB !</source>
        <translation>Berkas BMP lebih besar dari 1 MiB !</translation>
    </message>
    <message>
        <source>Only the logo, group graphic and picture message tabs hold bitmap content</source>
        <translation>Hanya tab logo, grafik grup, dan pesan gambar yang berisi gambar bitmap</translation>
    </message>
    <message>
        <source>Only Monochrome BMP Files can be added as EMS pictures !</source>
        <translation>Hanya berkas BMP hitam-putih yang bisa ditambahkan sebagai gambar EMS !</translation>
    </message>
    <message>
        <source>The picture is too large for an EMS message !</source>
        <translation>Gambar terlalu besar untuk pesan EMS !</translation>
    </message>
</context>
<context>
    <name>smslib/ContactExport</name>
    <message>
        <source>Unable to save to file %1 (%2) !</source>
        <translation>Gagal menyimpan ke berkas %1 (%2) !</translation>
    </message>
    <message>
        <source>Save to file %1 !</source>
        <translation>Tersimpan ke berkas %1 !</translation>
    </message>
</context>
<context>
    <name>smslib/ContentFile</name>
    <message>
        <source>Velmora Operator Logo Files</source>
        <translation>Berkas Logo Operator Velmora</translation>
    </message>
    <message>
        <source>Velmora Group Graphic Files</source>
        <translation>Berkas Grafik Grup Velmora</translation>
    </message>
    <message>
        <source>Velmora Picture Message Files</source>
        <translation>Berkas Pesan Gambar Velmora</translation>
    </message>
    <message>
        <source>Monochrome Bitmap Files</source>
        <translation>Berkas Bitmap Hitam-Putih</translation>
    </message>
    <message>
        <source>NOL Operator Logo Files</source>
        <translation>Berkas Logo Operator NOL</translation>
    </message>
    <message>
        <source>NGG Group Graphic Files</source>
        <translation>Berkas Grafik Grup NGG</translation>
    </message>
    <message>
        <source>RTTTL Ringtone Files</source>
        <translation>Berkas Nada Dering RTTTL</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Semua Berkas</translation>
    </message>
    <message>
        <source>All Compatible Files</source>
        <translation>Semua Berkas yang Didukung</translation>
    </message>
    <message>
        <source>Operator Logo Files</source>
        <translation>Berkas Logo Operator</translation>
    </message>
    <message>
        <source>Group Graphic Files</source>
        <translation>Berkas Grafik Grup</translation>
    </message>
    <message>
        <source>Picture Message Files</source>
        <translation>Berkas Pesan Gambar</translation>
    </message>
</context>
<context>
    <name>smslib/EmsPdu</name>
    <message>
        <source>The picture tag must start with its width and height as four hex digits each</source>
        <translation>Tag gambar harus diawali lebar dan tingginya, masing-masing empat digit heksa</translation>
    </message>
    <message>
        <source>The picture data must be whole octets of hex digits</source>
        <translation>Data gambar harus berupa oktet utuh dari digit heksa</translation>
    </message>
    <message>
        <source>The picture has no pixels</source>
        <translation>Gambar tidak memiliki piksel</translation>
    </message>
    <message>
        <source>The picture is %1 x %2 pixels; too large for an EMS message</source>
        <translation>Gambar berukuran %1 x %2 piksel; terlalu besar untuk pesan EMS</translation>
    </message>
    <message>
        <source>The picture data hold %1 octets; a %2 x %3 picture needs %4</source>
        <translation>Data gambar berisi %1 oktet; gambar %2 x %3 membutuhkan %4</translation>
    </message>
    <message>
        <source>The picture is too large for an EMS message</source>
        <translation>Gambar terlalu besar untuk pesan EMS</translation>
    </message>
    <message>
        <source>The EMS text is too long for one message of 140 octets</source>
        <translation>Teks EMS terlalu panjang untuk satu pesan 140 oktet</translation>
    </message>
    <message>
        <source>An EMS text is sent as 8-bit characters and cannot carry &quot;%1&quot;</source>
        <translation>Teks EMS dikirim sebagai karakter 8-bit dan tidak bisa memuat &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The EMS message needs %1 octets; one message carries at most 140. Shorten the text or use a smaller picture</source>
        <translation>Pesan EMS membutuhkan %1 oktet; satu pesan memuat paling banyak 140. Perpendek teksnya atau pakai gambar yang lebih kecil</translation>
    </message>
</context>
<context>
    <name>smslib/FileIo</name>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>Tidak bisa membuka &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>Tidak bisa membaca &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>Tidak bisa menulis &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>No file name given</source>
        <translation>Nama berkas belum diisi</translation>
    </message>
    <message>
        <source>a directory</source>
        <translation>sebuah folder</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>sebuah FIFO</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>perangkat karakter</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>perangkat blok</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>sebuah soket</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>sesuatu yang lain</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: it is %2, not a regular file</source>
        <translation>Tidak bisa membaca &quot;%1&quot;: itu %2, bukan berkas biasa</translation>
    </message>
    <message>
        <source>No file is loaded to save</source>
        <translation>Belum ada berkas yang dimuat untuk disimpan</translation>
    </message>
</context>
<context>
    <name>smslib/Gsm7</name>
    <message>
        <source>A normal text message cannot carry %1. Remove them, or send the text as a Flash Message, which carries any character.</source>
        <translation>Pesan teks biasa tidak bisa memuat %1. Hapus karakter tersebut, atau kirim teks sebagai Pesan Flash yang bisa memuat karakter apa pun.</translation>
    </message>
</context>
<context>
    <name>smslib/IndicatorPdu</name>
    <message>
        <source>The indicator kind must be 1 (voicemail), 2 (fax) or 3 (e-mail), not %1</source>
        <translation>Jenis indikator harus 1 (pesan suara), 2 (faks) atau 3 (e-mail), bukan %1</translation>
    </message>
</context>
<context>
    <name>smslib/LongText</name>
    <message>
        <source>%1 message, %2 left</source>
        <translation>%1 pesan, sisa %2</translation>
    </message>
    <message>
        <source>%1 messages, %2 left</source>
        <translation>%1 pesan, sisa %2</translation>
    </message>
    <message>
        <source>The concatenation reference %1 does not fit in one octet</source>
        <translation>Referensi penggabungan %1 tidak muat dalam satu oktet</translation>
    </message>
    <message>
        <source>A normal text message cannot carry %1. Remove them, or send the text as Unicode, which carries any character.</source>
        <translation>Pesan teks biasa tidak bisa memuat %1. Hapus karakter tersebut, atau kirim teks sebagai Unicode yang bisa memuat karakter apa pun.</translation>
    </message>
    <message>
        <source>The text takes %1 characters; a text message holds at most 160</source>
        <translation>Teks memakai %1 karakter; satu pesan teks memuat paling banyak 160</translation>
    </message>
    <message>
        <source>The text takes %1 UTF-16 units; a Unicode message holds at most 70 (an emoji counts two)</source>
        <translation>Teks memakai %1 unit UTF-16; satu pesan Unicode memuat paling banyak 70 (satu emoji dihitung dua)</translation>
    </message>
    <message>
        <source>The text needs %1 messages; a long text is sent as at most %2</source>
        <translation>Teks membutuhkan %1 pesan; teks panjang dikirim paling banyak dalam %2 pesan</translation>
    </message>
</context>
<context>
    <name>smslib/MessageReader</name>
    <message>
        <source>%1: cannot read octet %2 of its content (%3)</source>
        <translation>%1: oktet ke-%2 dari isinya tidak terbaca (%3)</translation>
    </message>
    <message>
        <source>bitmap header</source>
        <translation>header bitmap</translation>
    </message>
    <message>
        <source>bitmap depth: only black and white is read</source>
        <translation>kedalaman bitmap: hanya hitam-putih yang dibaca</translation>
    </message>
    <message>
        <source>bitmap</source>
        <translation>bitmap</translation>
    </message>
    <message>
        <source>operator logo</source>
        <translation>logo operator</translation>
    </message>
    <message>
        <source>network code</source>
        <translation>kode jaringan</translation>
    </message>
    <message>
        <source>group graphic</source>
        <translation>grafik grup</translation>
    </message>
    <message>
        <source>picture message</source>
        <translation>pesan gambar</translation>
    </message>
    <message>
        <source>version</source>
        <translation>versi</translation>
    </message>
    <message>
        <source>item header</source>
        <translation>header item</translation>
    </message>
    <message>
        <source>item</source>
        <translation>item</translation>
    </message>
    <message>
        <source>bitmap item</source>
        <translation>item bitmap</translation>
    </message>
    <message>
        <source>ringtone: %1</source>
        <translation>nada dering: %1</translation>
    </message>
    <message>
        <source>no part of the message came</source>
        <translation>tidak ada bagian pesan yang masuk</translation>
    </message>
</context>
<context>
    <name>smslib/MessageRequest</name>
    <message>
        <source>Please choose operator logo !</source>
        <translation>Silakan pilih logo operator !</translation>
    </message>
    <message>
        <source>Please choose grouph graphic !</source>
        <translation>Silakan pilih grafik grup !</translation>
    </message>
    <message>
        <source>Please choose picture message !</source>
        <translation>Silakan pilih pesan gambar !</translation>
    </message>
    <message>
        <source>Please choose RTTTL ringtone !</source>
        <translation>Silakan pilih nada dering RTTTL !</translation>
    </message>
    <message>
        <source>invalid content: &apos;%1&apos; is not a hex digit</source>
        <translation>isi tidak valid: &apos;%1&apos; bukan digit heksa</translation>
    </message>
    <message>
        <source>invalid content: no hex digits</source>
        <translation>isi tidak valid: tidak ada digit heksa</translation>
    </message>
    <message>
        <source>invalid content: an odd number of hex digits (%1)</source>
        <translation>isi tidak valid: jumlah digit heksa ganjil (%1)</translation>
    </message>
    <message>
        <source>Unknown Mobile Operator, Please select provider or fill MCC and NC !</source>
        <translation>Operator seluler tidak dikenal, silakan pilih operator atau isi MCC dan NC !</translation>
    </message>
    <message>
        <source>Please Fill Destination Mobile Number !</source>
        <translation>Silakan isi nomor HP tujuan !</translation>
    </message>
    <message>
        <source>invalid indicator kind %1: it must be voicemail, fax or email</source>
        <translation>jenis indikator %1 tidak valid: harus pesan suara, faks, atau e-mail</translation>
    </message>
    <message>
        <source>unknown kind of message</source>
        <translation>jenis pesan tidak dikenal</translation>
    </message>
    <message>
        <source>invalid destination number &quot;%1&quot;: it must be 1 to 20 digits (after &quot;+&quot; is dropped and a leading 0 becomes %2)</source>
        <translation>nomor tujuan &quot;%1&quot; tidak valid: harus 1 sampai 20 digit (setelah &quot;+&quot; dibuang dan 0 di depan menjadi %2)</translation>
    </message>
</context>
<context>
    <name>smslib/PduDecoder</name>
    <message>
        <source>cannot read octet %1 (%2)</source>
        <translation>oktet ke-%1 tidak terbaca (%2)</translation>
    </message>
    <message>
        <source>%1 minute</source>
        <translation>%1 menit</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 menit</translation>
    </message>
    <message>
        <source>%1 hour</source>
        <translation>%1 jam</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 jam</translation>
    </message>
    <message>
        <source>%1 day</source>
        <translation>%1 hari</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 hari</translation>
    </message>
    <message>
        <source>%1 week</source>
        <translation>%1 minggu</translation>
    </message>
    <message>
        <source>%1 weeks</source>
        <translation>%1 minggu</translation>
    </message>
    <message>
        <source>service-centre time stamp</source>
        <translation>cap waktu pusat layanan</translation>
    </message>
    <message>
        <source>discharge time</source>
        <translation>waktu pemrosesan</translation>
    </message>
    <message>
        <source>status</source>
        <translation>status</translation>
    </message>
    <message>
        <source>service-centre address length</source>
        <translation>panjang alamat pusat layanan</translation>
    </message>
    <message>
        <source>service-centre address</source>
        <translation>alamat pusat layanan</translation>
    </message>
    <message>
        <source>first octet</source>
        <translation>oktet pertama</translation>
    </message>
    <message>
        <source>octet %1 (first octet): message type 3 is reserved</source>
        <translation>oktet ke-%1 (oktet pertama): jenis pesan 3 dicadangkan</translation>
    </message>
    <message>
        <source>message reference</source>
        <translation>referensi pesan</translation>
    </message>
    <message>
        <source>originator address</source>
        <translation>alamat pengirim</translation>
    </message>
    <message>
        <source>destination address</source>
        <translation>alamat tujuan</translation>
    </message>
    <message>
        <source>recipient address</source>
        <translation>alamat penerima</translation>
    </message>
    <message>
        <source>protocol identifier and coding scheme</source>
        <translation>pengenal protokol dan skema pengodean</translation>
    </message>
    <message>
        <source>validity period</source>
        <translation>masa berlaku</translation>
    </message>
    <message>
        <source>user data</source>
        <translation>data pengguna</translation>
    </message>
</context>
<context>
    <name>smslib/PduFields</name>
    <message>
        <source>%1 octet</source>
        <translation>%1 oktet</translation>
    </message>
    <message>
        <source>%1 octets</source>
        <translation>%1 oktet</translation>
    </message>
    <message>
        <source>%1 character</source>
        <translation>%1 karakter</translation>
    </message>
    <message>
        <source>%1 characters</source>
        <translation>%1 karakter</translation>
    </message>
    <message>
        <source>unknown, %1</source>
        <translation>tidak diketahui, %1</translation>
    </message>
    <message>
        <source>international, %1</source>
        <translation>internasional, %1</translation>
    </message>
    <message>
        <source>national, %1</source>
        <translation>nasional, %1</translation>
    </message>
    <message>
        <source>network specific, %1</source>
        <translation>khusus jaringan, %1</translation>
    </message>
    <message>
        <source>subscriber, %1</source>
        <translation>pelanggan, %1</translation>
    </message>
    <message>
        <source>alphanumeric, %1</source>
        <translation>alfanumerik, %1</translation>
    </message>
    <message>
        <source>abbreviated, %1</source>
        <translation>singkatan, %1</translation>
    </message>
    <message>
        <source>reserved, %1</source>
        <translation>dicadangkan, %1</translation>
    </message>
    <message>
        <source>unknown plan</source>
        <translation>rencana penomoran tidak diketahui</translation>
    </message>
    <message>
        <source>ISDN/telephone</source>
        <translation>ISDN/telepon</translation>
    </message>
    <message>
        <source>data</source>
        <translation>data</translation>
    </message>
    <message>
        <source>telex</source>
        <translation>teleks</translation>
    </message>
    <message>
        <source>national plan</source>
        <translation>rencana penomoran nasional</translation>
    </message>
    <message>
        <source>private plan</source>
        <translation>rencana penomoran pribadi</translation>
    </message>
    <message>
        <source>reserved plan</source>
        <translation>rencana penomoran dicadangkan</translation>
    </message>
    <message>
        <source>normal short message</source>
        <translation>pesan singkat biasa</translation>
    </message>
    <message>
        <source>SME-to-SME protocol %1</source>
        <translation>protokol SME-ke-SME %1</translation>
    </message>
    <message>
        <source>telematic interworking, device %1</source>
        <translation>antarkerja telematika, perangkat %1</translation>
    </message>
    <message>
        <source>short message type 0: acknowledged, not stored</source>
        <translation>pesan singkat tipe 0: diterima, tidak disimpan</translation>
    </message>
    <message>
        <source>replace short message type %1</source>
        <translation>ganti pesan singkat tipe %1</translation>
    </message>
    <message>
        <source>version 2 of type 1 (return call)</source>
        <translation>versi 2 dari tipe 1 (panggilan balik)</translation>
    </message>
    <message>
        <source>return call message</source>
        <translation>pesan panggilan balik</translation>
    </message>
    <message>
        <source>ANSI-136 R-DATA</source>
        <translation>ANSI-136 R-DATA</translation>
    </message>
    <message>
        <source>phone de-personalisation</source>
        <translation>pelepasan personalisasi ponsel</translation>
    </message>
    <message>
        <source>phone data download</source>
        <translation>unduhan data ponsel</translation>
    </message>
    <message>
        <source>SIM data download</source>
        <translation>unduhan data SIM</translation>
    </message>
    <message>
        <source>reserved or service-centre specific</source>
        <translation>dicadangkan atau khusus pusat layanan</translation>
    </message>
    <message>
        <source>GSM 7-bit</source>
        <translation>GSM 7-bit</translation>
    </message>
    <message>
        <source>8-bit data</source>
        <translation>data 8-bit</translation>
    </message>
    <message>
        <source>UCS2</source>
        <translation>UCS2</translation>
    </message>
    <message>
        <source>voicemail no longer waiting</source>
        <translation>tidak ada lagi pesan suara menunggu</translation>
    </message>
    <message>
        <source>fax no longer waiting</source>
        <translation>tidak ada lagi faks menunggu</translation>
    </message>
    <message>
        <source>e-mail no longer waiting</source>
        <translation>tidak ada lagi e-mail menunggu</translation>
    </message>
    <message>
        <source>other no longer waiting</source>
        <translation>tidak ada lagi pesan lain menunggu</translation>
    </message>
    <message>
        <source>voicemail waiting</source>
        <translation>ada pesan suara menunggu</translation>
    </message>
    <message>
        <source>fax waiting</source>
        <translation>ada faks menunggu</translation>
    </message>
    <message>
        <source>e-mail waiting</source>
        <translation>ada e-mail menunggu</translation>
    </message>
    <message>
        <source>other waiting</source>
        <translation>ada pesan lain menunggu</translation>
    </message>
    <message>
        <source>%1 (reserved alphabet)</source>
        <translation>%1 (alfabet dicadangkan)</translation>
    </message>
    <message>
        <source>%1, compressed</source>
        <translation>%1, dimampatkan</translation>
    </message>
    <message>
        <source>%1, delete once read</source>
        <translation>%1, hapus setelah dibaca</translation>
    </message>
    <message>
        <source>%1, message waiting: discard, %2</source>
        <translation>%1, pesan menunggu: buang, %2</translation>
    </message>
    <message>
        <source>%1, message waiting: store, %2</source>
        <translation>%1, pesan menunggu: simpan, %2</translation>
    </message>
    <message>
        <source>%1 (reserved coding group)</source>
        <translation>%1 (kelompok penyandian dicadangkan)</translation>
    </message>
    <message>
        <source>%1, class 0 (flash)</source>
        <translation>%1, kelas 0 (flash)</translation>
    </message>
    <message>
        <source>%1, class 1 (phone)</source>
        <translation>%1, kelas 1 (ponsel)</translation>
    </message>
    <message>
        <source>%1, class 2 (SIM)</source>
        <translation>%1, kelas 2 (SIM)</translation>
    </message>
    <message>
        <source>%1, class 3 (terminal equipment)</source>
        <translation>%1, kelas 3 (perangkat terminal)</translation>
    </message>
    <message>
        <source>enhanced, single attempt: %1</source>
        <translation>diperluas, satu kali coba: %1</translation>
    </message>
    <message>
        <source>enhanced: %1</source>
        <translation>diperluas: %1</translation>
    </message>
    <message>
        <source>no validity period</source>
        <translation>tanpa masa berlaku</translation>
    </message>
    <message>
        <source>%1 second</source>
        <translation>%1 detik</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 detik</translation>
    </message>
    <message>
        <source>reserved form</source>
        <translation>bentuk dicadangkan</translation>
    </message>
    <message>
        <source>relative: %1</source>
        <translation>relatif: %1</translation>
    </message>
    <message>
        <source>absolute: %1</source>
        <translation>mutlak: %1</translation>
    </message>
    <message>
        <source>not a time</source>
        <translation>bukan waktu yang sah</translation>
    </message>
    <message>
        <source>reserved</source>
        <translation>dicadangkan</translation>
    </message>
    <message>
        <source>First octet</source>
        <translation>Oktet pertama</translation>
    </message>
    <message>
        <source>%1 (bits 1-0: %2)</source>
        <translation>%1 (bit 1-0: %2)</translation>
    </message>
    <message>
        <source>reject a duplicate</source>
        <translation>tolak pesan kembar</translation>
    </message>
    <message>
        <source>accept a duplicate</source>
        <translation>terima pesan kembar</translation>
    </message>
    <message>
        <source>enhanced validity period</source>
        <translation>masa berlaku diperluas</translation>
    </message>
    <message>
        <source>relative validity period</source>
        <translation>masa berlaku relatif</translation>
    </message>
    <message>
        <source>absolute validity period</source>
        <translation>masa berlaku mutlak</translation>
    </message>
    <message>
        <source>a status report is asked for</source>
        <translation>laporan status diminta</translation>
    </message>
    <message>
        <source>no status report asked for</source>
        <translation>tidak meminta laporan status</translation>
    </message>
    <message>
        <source>no more messages waiting</source>
        <translation>tidak ada pesan lain menunggu</translation>
    </message>
    <message>
        <source>more messages waiting</source>
        <translation>masih ada pesan menunggu</translation>
    </message>
    <message>
        <source>the sender asked for a status report</source>
        <translation>pengirim meminta laporan status</translation>
    </message>
    <message>
        <source>reports on a command</source>
        <translation>melaporkan sebuah perintah</translation>
    </message>
    <message>
        <source>reports on a message sent</source>
        <translation>melaporkan pesan yang dikirim</translation>
    </message>
    <message>
        <source>the user data starts with a header</source>
        <translation>data pengguna diawali header</translation>
    </message>
    <message>
        <source>no user-data header</source>
        <translation>tanpa header data pengguna</translation>
    </message>
    <message>
        <source>reply path set</source>
        <translation>jalur balasan dipasang</translation>
    </message>
    <message>
        <source>no reply path</source>
        <translation>tanpa jalur balasan</translation>
    </message>
    <message>
        <source>to port %1 (ringtone)</source>
        <translation>ke port %1 (nada dering)</translation>
    </message>
    <message>
        <source>to port %1 (operator logo)</source>
        <translation>ke port %1 (logo operator)</translation>
    </message>
    <message>
        <source>to port %1 (group graphic)</source>
        <translation>ke port %1 (gambar grup)</translation>
    </message>
    <message>
        <source>to port %1 (picture message)</source>
        <translation>ke port %1 (pesan gambar)</translation>
    </message>
    <message>
        <source>to port %1</source>
        <translation>ke port %1</translation>
    </message>
    <message>
        <source>%1: concatenated message, 8-bit reference</source>
        <translation>%1: pesan bersambung, referensi 8-bit</translation>
    </message>
    <message>
        <source>%1: special message indication</source>
        <translation>%1: tanda pesan khusus</translation>
    </message>
    <message>
        <source>%1: application port, 8-bit</source>
        <translation>%1: port aplikasi, 8-bit</translation>
    </message>
    <message>
        <source>%1: application port, 16-bit</source>
        <translation>%1: port aplikasi, 16-bit</translation>
    </message>
    <message>
        <source>%1: concatenated message, 16-bit reference</source>
        <translation>%1: pesan bersambung, referensi 16-bit</translation>
    </message>
    <message>
        <source>%1: EMS text formatting</source>
        <translation>%1: format teks EMS</translation>
    </message>
    <message>
        <source>%1: EMS predefined sound</source>
        <translation>%1: suara bawaan EMS</translation>
    </message>
    <message>
        <source>%1: EMS user-defined sound</source>
        <translation>%1: suara buatan pengguna EMS</translation>
    </message>
    <message>
        <source>%1: EMS predefined animation</source>
        <translation>%1: animasi bawaan EMS</translation>
    </message>
    <message>
        <source>%1: EMS large animation</source>
        <translation>%1: animasi besar EMS</translation>
    </message>
    <message>
        <source>%1: EMS small animation</source>
        <translation>%1: animasi kecil EMS</translation>
    </message>
    <message>
        <source>%1: EMS large picture</source>
        <translation>%1: gambar besar EMS</translation>
    </message>
    <message>
        <source>%1: EMS small picture</source>
        <translation>%1: gambar kecil EMS</translation>
    </message>
    <message>
        <source>%1: EMS variable picture</source>
        <translation>%1: gambar ukuran bebas EMS</translation>
    </message>
    <message>
        <source>%1: unknown element</source>
        <translation>%1: elemen tidak dikenal</translation>
    </message>
    <message>
        <source>reference %1, part %2 of %3</source>
        <translation>referensi %1, bagian %2 dari %3</translation>
    </message>
    <message>
        <source>%1, from port %2</source>
        <translation>%1, dari port %2</translation>
    </message>
    <message>
        <source>discard, voicemail: %1 waiting</source>
        <translation>buang, pesan suara: %1 menunggu</translation>
    </message>
    <message>
        <source>discard, fax: %1 waiting</source>
        <translation>buang, faks: %1 menunggu</translation>
    </message>
    <message>
        <source>discard, e-mail: %1 waiting</source>
        <translation>buang, e-mail: %1 menunggu</translation>
    </message>
    <message>
        <source>discard, other: %1 waiting</source>
        <translation>buang, lainnya: %1 menunggu</translation>
    </message>
    <message>
        <source>store, voicemail: %1 waiting</source>
        <translation>simpan, pesan suara: %1 menunggu</translation>
    </message>
    <message>
        <source>store, fax: %1 waiting</source>
        <translation>simpan, faks: %1 menunggu</translation>
    </message>
    <message>
        <source>store, e-mail: %1 waiting</source>
        <translation>simpan, e-mail: %1 menunggu</translation>
    </message>
    <message>
        <source>store, other: %1 waiting</source>
        <translation>simpan, lainnya: %1 menunggu</translation>
    </message>
    <message>
        <source>%1 message</source>
        <translation>%1 pesan</translation>
    </message>
    <message>
        <source>%1 messages</source>
        <translation>%1 pesan</translation>
    </message>
    <message>
        <source>at character %1, %2 formatted</source>
        <translation>di karakter %1, %2 diformat</translation>
    </message>
    <message>
        <source>at character %1, number %2</source>
        <translation>di karakter %1, nomor %2</translation>
    </message>
    <message>
        <source>at character %1, %2 of content</source>
        <translation>di karakter %1, isi %2</translation>
    </message>
    <message>
        <source>at character %1</source>
        <translation>di karakter %1</translation>
    </message>
    <message>
        <source>%1 text &quot;%2&quot;</source>
        <translation>teks %1 &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 text &quot;%2…&quot; (%3)</source>
        <translation>teks %1 &quot;%2…&quot; (%3)</translation>
    </message>
    <message>
        <source>SMSC length</source>
        <translation>Panjang SMSC</translation>
    </message>
    <message>
        <source>none given: the phone&apos;s own service centre</source>
        <translation>tidak ada: pusat layanan milik ponsel</translation>
    </message>
    <message>
        <source>%1 follow</source>
        <translation>%1 menyusul</translation>
    </message>
    <message>
        <source>SMSC type</source>
        <translation>Tipe SMSC</translation>
    </message>
    <message>
        <source>SMSC number</source>
        <translation>Nomor SMSC</translation>
    </message>
    <message>
        <source>message reference %1</source>
        <translation>referensi pesan %1</translation>
    </message>
    <message>
        <source>%1 length</source>
        <translation>Panjang %1</translation>
    </message>
    <message>
        <source>%1 digit</source>
        <translation>%1 digit</translation>
    </message>
    <message>
        <source>%1 digits</source>
        <translation>%1 digit</translation>
    </message>
    <message>
        <source>%1 type</source>
        <translation>Tipe %1</translation>
    </message>
    <message>
        <source>%1 septet</source>
        <translation>%1 septet</translation>
    </message>
    <message>
        <source>%1 septets</source>
        <translation>%1 septet</translation>
    </message>
    <message>
        <source>%1, cut short: no user data came</source>
        <translation>%1, terpotong: data pengguna tidak datang</translation>
    </message>
    <message>
        <source>%1, cut short: only %2 came</source>
        <translation>%1, terpotong: hanya %2 yang datang</translation>
    </message>
    <message>
        <source>%1, cut short: no room for the header TP-UDHI announces</source>
        <translation>%1, terpotong: tidak ada tempat untuk header yang diumumkan TP-UDHI</translation>
    </message>
    <message>
        <source>%1 of header</source>
        <translation>header %1</translation>
    </message>
    <message>
        <source>%1, cut short: the user data ends after %2</source>
        <translation>%1, terpotong: data pengguna berakhir setelah %2</translation>
    </message>
    <message>
        <source>IE id</source>
        <translation>ID IE</translation>
    </message>
    <message>
        <source>IE length</source>
        <translation>Panjang IE</translation>
    </message>
    <message>
        <source>IE data</source>
        <translation>Data IE</translation>
    </message>
    <message>
        <source>%1 of 8-bit data</source>
        <translation>%1 data 8-bit</translation>
    </message>
    <message>
        <source>Not read</source>
        <translation>Tidak terbaca</translation>
    </message>
    <message>
        <source>cut short: %1</source>
        <translation>terpotong: %1</translation>
    </message>
    <message>
        <source>cut short: a header element the user data ends in</source>
        <translation>terpotong: data pengguna berakhir di tengah elemen header</translation>
    </message>
    <message>
        <source>the report&apos;s optional parameters, not needed to judge the delivery</source>
        <translation>parameter pilihan laporan, tidak diperlukan untuk menilai pengiriman</translation>
    </message>
    <message>
        <source>after the end of the message</source>
        <translation>setelah akhir pesan</translation>
    </message>
    <message>
        <source>%1 compressed, not read</source>
        <translation>%1 terkompresi, tidak dibaca</translation>
    </message>
</context>
<context>
    <name>smslib/Ringtone</name>
    <message>
        <source>&quot;%1&quot; is not d=, o= or b=; it is passed over</source>
        <translation>&quot;%1&quot; bukan d=, o= atau b=; dilewati</translation>
    </message>
    <message>
        <source>&quot;%1&quot; needs a whole number</source>
        <translation>&quot;%1&quot; harus berupa bilangan bulat</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 1, 2, 4, 8, 16 or 32; it plays as d=%2</source>
        <translation>&quot;%1&quot; bukan 1, 2, 4, 8, 16 atau 32; diputar sebagai d=%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 4 to 7; it plays as o=%2</source>
        <translation>&quot;%1&quot; bukan 4 sampai 7; diputar sebagai o=%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a note; it is left out</source>
        <translation>&quot;%1&quot; bukan not; dilewati</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: only a note value may come before the note</source>
        <translation>&quot;%1&quot;: hanya nilai ketukan yang boleh ada sebelum not</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 1, 2, 4, 8, 16 or 32; it plays as %2</source>
        <translation>&quot;%1&quot; bukan 1, 2, 4, 8, 16 atau 32; diputar sebagai %2</translation>
    </message>
    <message>
        <source>octave %1 is not 4 to 7; it plays as %2</source>
        <translation>oktaf %1 bukan 4 sampai 7; diputar sebagai %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; after the note is passed over</source>
        <translation>&quot;%1&quot; setelah not dilewati</translation>
    </message>
    <message>
        <source>the title keeps only its first 15 characters</source>
        <translation>judul hanya menyimpan 15 karakter pertamanya</translation>
    </message>
    <message>
        <source>a tune holds at most %1 notes; the rest are left out</source>
        <translation>satu lagu memuat paling banyak %1 not; sisanya dilewati</translation>
    </message>
    <message>
        <source>there are no notes</source>
        <translation>tidak ada not</translation>
    </message>
    <message>
        <source>Character %1: %2</source>
        <translation>Karakter %1: %2</translation>
    </message>
</context>
<context>
    <name>smslib/RingtoneReader</name>
    <message>
        <source>cannot read octet %1 (%2)</source>
        <translation>oktet ke-%1 tidak terbaca (%2)</translation>
    </message>
    <message>
        <source>octet %1 (%2): %3</source>
        <translation>oktet ke-%1 (%2): %3</translation>
    </message>
    <message>
        <source>instruction</source>
        <translation>instruksi</translation>
    </message>
    <message>
        <source>note</source>
        <translation>not</translation>
    </message>
    <message>
        <source>no such note</source>
        <translation>not tidak dikenal</translation>
    </message>
    <message>
        <source>note duration</source>
        <translation>durasi not</translation>
    </message>
    <message>
        <source>no such duration</source>
        <translation>durasi tidak dikenal</translation>
    </message>
    <message>
        <source>note specifier</source>
        <translation>penanda not</translation>
    </message>
    <message>
        <source>scale</source>
        <translation>tangga nada</translation>
    </message>
    <message>
        <source>style</source>
        <translation>gaya</translation>
    </message>
    <message>
        <source>no such style</source>
        <translation>gaya tidak dikenal</translation>
    </message>
    <message>
        <source>tempo</source>
        <translation>tempo</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>volume</translation>
    </message>
    <message>
        <source>not an instruction Velmora reads</source>
        <translation>bukan instruksi yang dibaca Velmora</translation>
    </message>
    <message>
        <source>pattern count</source>
        <translation>jumlah pola</translation>
    </message>
    <message>
        <source>pattern header</source>
        <translation>header pola</translation>
    </message>
    <message>
        <source>not a pattern</source>
        <translation>bukan pola</translation>
    </message>
    <message>
        <source>pattern id</source>
        <translation>id pola</translation>
    </message>
    <message>
        <source>loop count</source>
        <translation>jumlah ulangan</translation>
    </message>
    <message>
        <source>instruction count</source>
        <translation>jumlah instruksi</translation>
    </message>
    <message>
        <source>octet %1 (content): not hex</source>
        <translation>oktet ke-%1 (isi): bukan heksa</translation>
    </message>
    <message>
        <source>octet %1 (content): half an octet</source>
        <translation>oktet ke-%1 (isi): hanya setengah oktet</translation>
    </message>
    <message>
        <source>command count</source>
        <translation>jumlah perintah</translation>
    </message>
    <message>
        <source>command</source>
        <translation>perintah</translation>
    </message>
    <message>
        <source>not a ringing tone</source>
        <translation>bukan nada dering</translation>
    </message>
    <message>
        <source>sound command</source>
        <translation>perintah suara</translation>
    </message>
    <message>
        <source>song type</source>
        <translation>jenis lagu</translation>
    </message>
    <message>
        <source>not a tune Velmora reads</source>
        <translation>bukan lagu yang dibaca Velmora</translation>
    </message>
    <message>
        <source>title</source>
        <translation>judul</translation>
    </message>
    <message>
        <source>not a command Velmora reads</source>
        <translation>bukan perintah yang dibaca Velmora</translation>
    </message>
</context>
<context>
    <name>smslib/SmartPdu</name>
    <message>
        <source>The content holds &quot;%1&quot;, which is not a hex digit 0-9 or A-F</source>
        <translation>Isi memuat &quot;%1&quot;, yang bukan digit heksa 0-9 atau A-F</translation>
    </message>
    <message>
        <source>The content has an odd number of hex digits (%1); it must be whole octets</source>
        <translation>Jumlah digit heksa pada isi ganjil (%1); harus berupa oktet utuh</translation>
    </message>
    <message>
        <source>The network code must be six hex digits, not &quot;%1&quot;</source>
        <translation>Kode jaringan harus enam digit heksa, bukan &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Picture part %1: %2</source>
        <translation>Bagian gambar %1: %2</translation>
    </message>
</context>
<context>
    <name>smslib/SmsSubmit</name>
    <message>
        <source>The destination number is empty</source>
        <translation>Nomor tujuan kosong</translation>
    </message>
    <message>
        <source>The destination number must be 1 to 20 digits, not &quot;%1&quot;</source>
        <translation>Nomor tujuan harus 1 sampai 20 digit, bukan &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The message needs %1 octets of user data; one message carries at most 140</source>
        <translation>Pesan membutuhkan %1 oktet data pengguna; satu pesan memuat paling banyak 140</translation>
    </message>
    <message>
        <source>The user data length %1 does not fit in one octet</source>
        <translation>Panjang data pengguna %1 tidak muat dalam satu oktet</translation>
    </message>
</context>
<context>
    <name>smslib/StatusReport</name>
    <message>
        <source>remote procedure error</source>
        <translation>kesalahan prosedur jarak jauh</translation>
    </message>
    <message>
        <source>congestion</source>
        <translation>jaringan padat</translation>
    </message>
    <message>
        <source>incompatible destination</source>
        <translation>tujuan tidak kompatibel</translation>
    </message>
    <message>
        <source>recipient busy</source>
        <translation>penerima sibuk</translation>
    </message>
    <message>
        <source>connection rejected by the recipient</source>
        <translation>sambungan ditolak penerima</translation>
    </message>
    <message>
        <source>no response from the recipient</source>
        <translation>tidak ada tanggapan dari penerima</translation>
    </message>
    <message>
        <source>not obtainable</source>
        <translation>tidak dapat dijangkau</translation>
    </message>
    <message>
        <source>service rejected</source>
        <translation>layanan ditolak</translation>
    </message>
    <message>
        <source>quality of service not available</source>
        <translation>kualitas layanan tidak tersedia</translation>
    </message>
    <message>
        <source>no interworking available</source>
        <translation>tidak ada interkoneksi</translation>
    </message>
    <message>
        <source>error in the recipient&apos;s phone</source>
        <translation>kesalahan pada ponsel penerima</translation>
    </message>
    <message>
        <source>validity period expired</source>
        <translation>masa berlaku habis</translation>
    </message>
    <message>
        <source>deleted by the sender</source>
        <translation>dihapus oleh pengirim</translation>
    </message>
    <message>
        <source>deleted by the service centre</source>
        <translation>dihapus oleh pusat layanan</translation>
    </message>
    <message>
        <source>message does not exist</source>
        <translation>pesan tidak ada</translation>
    </message>
    <message>
        <source>not an SMS-SUBMIT PDU</source>
        <translation>bukan PDU SMS-SUBMIT</translation>
    </message>
    <message>
        <source>not a status report</source>
        <translation>bukan laporan status</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>Sampai ke penerima</translation>
    </message>
    <message>
        <source>status %1</source>
        <translation>status %1</translation>
    </message>
    <message>
        <source>Not delivered: %1</source>
        <translation>Tidak sampai: %1</translation>
    </message>
    <message>
        <source>Still trying: %1</source>
        <translation>Masih dicoba: %1</translation>
    </message>
</context>
<context>
    <name>smslib/TextPdu</name>
    <message>
        <source>The flash message takes %1 octets; it holds at most 69 characters when blinking</source>
        <translation>Pesan flash memakai %1 oktet; paling banyak 69 karakter jika berkedip</translation>
    </message>
    <message>
        <source>The flash message takes %1 octets; it holds at most 70 characters</source>
        <translation>Pesan flash memakai %1 oktet; paling banyak 70 karakter</translation>
    </message>
</context>
</TS>
