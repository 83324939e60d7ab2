<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
<context>
    <name>ApiHost</name>
    <message>
        <source>no D-Bus %1 bus (%2): other programs cannot reach this one through D-Bus</source>
        <translation>tidak ada bus %1 D-Bus (%2): program lain tidak dapat menjangkau program ini lewat D-Bus</translation>
    </message>
    <message>
        <source>D-Bus %1 bus: %2</source>
        <translation>bus %1 D-Bus: %2</translation>
    </message>
    <message>
        <source>HTTP: %1</source>
        <translation>HTTP: %1</translation>
    </message>
    <message>
        <source>HTTP: listening on %1 (port %2)</source>
        <translation>HTTP: mendengarkan di %1 (port %2)</translation>
    </message>
    <message>
        <source>[Webhooks] Url=: no store to keep the webhooks&apos; queue in: %1</source>
        <translation>[Webhooks] Url=: tidak ada penyimpanan untuk antrean webhook: %1</translation>
    </message>
</context>
<context>
    <name>BatchBuilder</name>
    <message>
        <source>already in the list</source>
        <translation>sudah ada di daftar</translation>
    </message>
    <message>
        <source>already in the list (%1)</source>
        <translation>sudah ada di daftar (%1)</translation>
    </message>
    <message>
        <source>the group has no members</source>
        <translation>grup ini tidak punya anggota</translation>
    </message>
    <message>
        <source>in the group &quot;%1&quot;: %2</source>
        <translation>di grup &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>the phone book has %1 numbers for this name: type the one to send to</source>
        <translation>buku telepon punya %1 nomor untuk nama ini: ketik nomor tujuannya</translation>
    </message>
    <message>
        <source>neither a number nor a group&apos;s or the phone book&apos;s name</source>
        <translation>bukan nomor, bukan pula nama grup atau nama di buku telepon</translation>
    </message>
    <message>
        <source>in the phone book: %1</source>
        <translation>di buku telepon: %1</translation>
    </message>
    <message>
        <source>has no number</source>
        <translation>tidak punya nomor</translation>
    </message>
    <message>
        <source>there is no such row</source>
        <translation>baris itu tidak ada</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>baris %1</translation>
    </message>
    <message>
        <source>its cell for {%1} is empty</source>
        <translation>selnya untuk {%1} kosong</translation>
    </message>
    <message>
        <source>its cells for {%1} are empty</source>
        <translation>selnya untuk {%1} kosong</translation>
    </message>
</context>
<context>
    <name>BusClient</name>
    <message>
        <source>this user may not call the running Velmora program (on the system bus only the group velmora may)</source>
        <translation>pengguna ini tidak boleh memanggil program Velmora yang sedang berjalan (di bus sistem hanya grup velmora yang boleh)</translation>
    </message>
</context>
<context>
    <name>BusService</name>
    <message>
        <source>the option &quot;%1&quot; is unknown or of the wrong type</source>
        <translation>opsi &quot;%1&quot; tidak dikenal atau jenisnya salah</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a time in ISO 8601 or milliseconds since 1970</source>
        <translation>&quot;%1&quot; harus waktu dalam ISO 8601 atau milidetik sejak 1970</translation>
    </message>
    <message>
        <source>no such state &quot;%1&quot;</source>
        <translation>tidak ada status &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;direction&quot; is &quot;in&quot; or &quot;out&quot;</source>
        <translation>&quot;direction&quot; adalah &quot;in&quot; atau &quot;out&quot;</translation>
    </message>
    <message>
        <source>system</source>
        <translation>sistem</translation>
    </message>
    <message>
        <source>session</source>
        <translation>sesi</translation>
    </message>
    <message>
        <source>the object %1 is registered already</source>
        <translation>objek %1 sudah terdaftar</translation>
    </message>
    <message>
        <source>%1 is taken by another program (process %2)</source>
        <translation>%1 sudah dipakai program lain (proses %2)</translation>
    </message>
    <message>
        <source>%1 is taken by another program</source>
        <translation>%1 sudah dipakai program lain</translation>
    </message>
    <message>
        <source>there is no batch B%1</source>
        <translation>tidak ada kiriman massal B%1</translation>
    </message>
    <message>
        <source>there is no message %1</source>
        <translation>tidak ada pesan %1</translation>
    </message>
    <message>
        <source>message %1 is %2: nothing to resume</source>
        <translation>pesan %1 %2: tidak ada yang dilanjutkan</translation>
    </message>
    <message>
        <source>message %1 is %2: nothing to cancel</source>
        <translation>pesan %1 %2: tidak ada yang dibatalkan</translation>
    </message>
    <message>
        <source>a USSD code or reply is 1 to 182 characters</source>
        <translation>kode atau balasan USSD panjangnya 1 sampai 182 karakter</translation>
    </message>
    <message>
        <source>no modem is connected</source>
        <translation>tidak ada modem yang tersambung</translation>
    </message>
    <message>
        <source>the modem %1 is not connected</source>
        <translation>modem %1 tidak tersambung</translation>
    </message>
    <message>
        <source>the modem %1 went away before it answered (removed from the settings, or the program is ending)</source>
        <translation>modem %1 hilang sebelum menjawab (dihapus dari pengaturan, atau program sedang berhenti)</translation>
    </message>
    <message>
        <source>a USSD session is a code and at most %1 replies, each answer waited for at least 1 s and all of them at most %2 s</source>
        <translation>sesi USSD adalah satu kode dan paling banyak %1 balasan, tiap jawaban ditunggu paling sedikit 1 dtk dan semuanya paling lama %2 dtk</translation>
    </message>
</context>
<context>
    <name>ComDevices</name>
    <message>
        <source>&quot;%1&quot; is not COMn=PATH</source>
        <translation>&quot;%1&quot; bukan COMn=PATH</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port COM1 to COM96</source>
        <translation>&quot;%1&quot; bukan port COM1 sampai COM96</translation>
    </message>
    <message>
        <source>needs a device</source>
        <translation>perlu sebuah perangkat</translation>
    </message>
    <message>
        <source>%1 at %2 bit/s</source>
        <translation>%1 pada %2 bit/s</translation>
    </message>
    <message>
        <source> (serial devices are for members of the dialout group: sudo adduser $USER dialout, then log in again)</source>
        <translation> (perangkat serial hanya untuk anggota grup dialout: sudo adduser $USER dialout, lalu masuk lagi)</translation>
    </message>
    <message>
        <source> (another program is using it)</source>
        <translation> (sedang dipakai program lain)</translation>
    </message>
</context>
<context>
    <name>ContactImport</name>
    <message>
        <source>line %1 is longer than %2 KiB, more than a contact&apos;s card holds</source>
        <translation>baris %1 lebih panjang dari %2 KiB, melebihi isi kartu kontak</translation>
    </message>
    <message>
        <source>line %1: the card is written in %2, which is not read</source>
        <translation>baris %1: kartu ditulis dalam %2, yang tidak bisa dibaca</translation>
    </message>
    <message>
        <source>line %1: the card has neither a name nor a number</source>
        <translation>baris %1: kartu tidak punya nama maupun nomor</translation>
    </message>
    <message>
        <source>line %1: the card of %2 has no number</source>
        <translation>baris %1: kartu %2 tidak punya nomor</translation>
    </message>
    <message>
        <source>more than %1 contacts, more than a SIM or an import takes</source>
        <translation>lebih dari %1 kontak, melebihi kapasitas SIM atau satu kali impor</translation>
    </message>
    <message>
        <source>line %1: the card does not end (no END:VCARD)</source>
        <translation>baris %1: kartu tidak ditutup (tidak ada END:VCARD)</translation>
    </message>
    <message>
        <source>holds no vCard (no BEGIN:VCARD line)</source>
        <translation>tidak berisi vCard (tidak ada baris BEGIN:VCARD)</translation>
    </message>
    <message>
        <source>line %1: the row has neither a name nor a number</source>
        <translation>baris %1: baris ini tidak punya nama maupun nomor</translation>
    </message>
    <message>
        <source>line %1: the row of %2 has no number</source>
        <translation>baris %1: %2 tidak punya nomor</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: written in UTF-16; save it in UTF-8</source>
        <translation>%1: ditulis dalam UTF-16; simpan dalam UTF-8</translation>
    </message>
</context>
<context>
    <name>DaemonConfig</name>
    <message>
        <source>is empty; name the modem&apos;s serial device, such as /dev/ttyUSB0</source>
        <translation>kosong; sebutkan perangkat serial modem, misalnya /dev/ttyUSB0</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an absolute path, such as /dev/ttyUSB0</source>
        <translation>&quot;%1&quot; bukan path absolut, seperti /dev/ttyUSB0</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a line speed the link sets (1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200 or 230400)</source>
        <translation>&quot;%1&quot; bukan kecepatan jalur yang dapat dipasang (1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200 atau 230400)</translation>
    </message>
    <message>
        <source>is empty; leave the key out when the SIM asks for no PIN</source>
        <translation>kosong; hilangkan kunci ini bila SIM tidak meminta PIN</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number of seconds from 0 to %2</source>
        <translation>&quot;%1&quot; bukan bilangan bulat detik dari 0 sampai %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number from 0 to %2</source>
        <translation>&quot;%1&quot; bukan bilangan bulat dari 0 sampai %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is neither text nor packed (leave the key out to find it out)</source>
        <translation>&quot;%1&quot; bukan text maupun packed (hilangkan kunci ini agar dicari tahu sendiri)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is neither yes nor no</source>
        <translation>&quot;%1&quot; bukan yes maupun no</translation>
    </message>
    <message>
        <source>unknown key; a modem takes Device, Speed, PinFile, Interval, PerHour, UssdEncoding and DeleteAfterStore</source>
        <translation>kunci tak dikenal; modem menerima Device, Speed, PinFile, Interval, PerHour, UssdEncoding dan DeleteAfterStore</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 tidak dapat dibaca: %2</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 bukan berkas biasa</translation>
    </message>
    <message>
        <source>%1 may be read or changed by others than its owner (mode %2); make it chmod 600</source>
        <translation>%1 dapat dibaca atau diubah oleh selain pemiliknya (mode %2); jadikan chmod 600</translation>
    </message>
    <message>
        <source>%1 does not hold a PIN of 4 to 8 digits</source>
        <translation>%1 tidak berisi PIN 4 sampai 8 digit</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>tidak dapat dibaca: %1</translation>
    </message>
    <message>
        <source>is larger than 1 MiB</source>
        <translation>lebih besar dari 1 MiB</translation>
    </message>
    <message>
        <source>given twice; put all of its keys in one section</source>
        <translation>diberikan dua kali; letakkan semua kuncinya dalam satu bagian</translation>
    </message>
    <message>
        <source>a modem&apos;s name is 1 to %1 letters, digits, &apos;-&apos;, &apos;_&apos; or &apos;.&apos;, as in [Modem office]</source>
        <translation>nama modem terdiri dari 1 sampai %1 huruf, angka, &apos;-&apos;, &apos;_&apos; atau &apos;.&apos;, seperti [Modem office]</translation>
    </message>
    <message>
        <source>more than %1 modems</source>
        <translation>lebih dari %1 modem</translation>
    </message>
    <message>
        <source>line %1 is neither [SECTION] nor KEY=VALUE: %2</source>
        <translation>baris %1 bukan [SECTION] maupun KEY=VALUE: %2</translation>
    </message>
    <message>
        <source>stands before any section</source>
        <translation>berada sebelum bagian mana pun</translation>
    </message>
    <message>
        <source>given twice in the section</source>
        <translation>diberikan dua kali dalam bagian ini</translation>
    </message>
    <message>
        <source>is empty; leave the key out for the default place</source>
        <translation>kosong; hilangkan kunci ini untuk tempat bawaan</translation>
    </message>
    <message>
        <source>unknown key; [Messages] takes CountryCode</source>
        <translation>kunci tak dikenal; [Messages] menerima CountryCode</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a country calling code of 1 to 3 digits, such as 62</source>
        <translation>&quot;%1&quot; bukan kode panggil negara 1 sampai 3 digit, seperti 62</translation>
    </message>
    <message>
        <source>missing; name the modem&apos;s serial device, such as /dev/ttyUSB0</source>
        <translation>tidak ada; sebutkan perangkat serial modem, misalnya /dev/ttyUSB0</translation>
    </message>
    <message>
        <source>%1 is the device of [Modem %2] already; one modem, one device</source>
        <translation>%1 sudah menjadi perangkat [Modem %2]; satu modem, satu perangkat</translation>
    </message>
    <message>
        <source>names no modem; add a [Modem NAME] section with its Device=</source>
        <translation>tidak menyebut modem apa pun; tambahkan bagian [Modem NAME] dengan Device=-nya</translation>
    </message>
    <message>
        <source>%1 is larger than %2 octets</source>
        <translation>%1 lebih besar dari %2 oktet</translation>
    </message>
    <message>
        <source>is empty; leave the key out to keep HTTP off</source>
        <translation>kosong; hilangkan kunci ini agar HTTP tetap mati</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not PORT, ADDRESS:PORT or [ADDRESS]:PORT, such as 127.0.0.1:8080, with a port from 1 to 65535</source>
        <translation>&quot;%1&quot; bukan PORT, ALAMAT:PORT atau [ALAMAT]:PORT, seperti 127.0.0.1:8080, dengan port dari 1 sampai 65535</translation>
    </message>
    <message>
        <source>is empty; name the token&apos;s file</source>
        <translation>kosong; sebutkan berkas token</translation>
    </message>
    <message>
        <source>%1 holds no token of at least %2 characters</source>
        <translation>%1 tidak berisi token sepanjang sedikitnya %2 karakter</translation>
    </message>
    <message>
        <source>unknown key; [Http] takes Listen, AllowRemote, TokenFile and PerMinute</source>
        <translation>kunci tak dikenal; [Http] menerima Listen, AllowRemote, TokenFile dan PerMinute</translation>
    </message>
    <message>
        <source>unknown key; [Hooks] takes OnReceive and OnState</source>
        <translation>kunci tak dikenal; [Hooks] menerima OnReceive dan OnState</translation>
    </message>
    <message>
        <source>is empty; leave the key out when no program is to run</source>
        <translation>kosong; hilangkan kunci ini bila tidak ada program yang dijalankan</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an absolute path to a program, such as /usr/local/bin/on-sms</source>
        <translation>&quot;%1&quot; bukan path absolut ke sebuah program, seperti /usr/local/bin/on-sms</translation>
    </message>
    <message>
        <source>%1 is not a program this user may run</source>
        <translation>%1 bukan program yang boleh dijalankan pengguna ini</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http or https URL, such as https://example.org/sms</source>
        <translation>&quot;%1&quot; bukan URL http atau https, seperti https://example.org/sms</translation>
    </message>
    <message>
        <source>is empty; name the file of the signing secret</source>
        <translation>kosong; sebutkan berkas rahasia penanda tangan</translation>
    </message>
    <message>
        <source>%1 holds no secret of at least %2 characters</source>
        <translation>%1 tidak berisi rahasia sepanjang sedikitnya %2 karakter</translation>
    </message>
    <message>
        <source>unknown key; [Webhooks] takes Url and SecretFile</source>
        <translation>kunci tak dikenal; [Webhooks] menerima Url dan SecretFile</translation>
    </message>
    <message>
        <source>unknown section; the file has [Modem NAME], [Store], [Messages], [Http], [Hooks] and [Webhooks]</source>
        <translation>bagian tak dikenal; berkas ini memiliki [Modem NAME], [Store], [Messages], [Http], [Hooks] dan [Webhooks]</translation>
    </message>
    <message>
        <source>missing; every request needs the token kept in this file</source>
        <translation>tidak ada; setiap permintaan memerlukan token yang disimpan di berkas ini</translation>
    </message>
    <message>
        <source>%1 is reached from other machines too; add AllowRemote=yes to mean it</source>
        <translation>%1 dapat dijangkau dari mesin lain juga; tambahkan AllowRemote=yes bila memang dimaksudkan</translation>
    </message>
    <message>
        <source>missing; every post is signed with the secret kept in this file</source>
        <translation>tidak ada; setiap kiriman ditandatangani dengan rahasia yang disimpan di berkas ini</translation>
    </message>
    <message>
        <source>is empty; leave the key out for a store file</source>
        <translation>kosong; hilangkan kunci ini untuk berkas penyimpanan</translation>
    </message>
    <message>
        <source>is empty; leave the key out when the server asks for none</source>
        <translation>kosong; hilangkan kunci ini bila server tidak memintanya</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not disable, allow, prefer, require, verify-ca or verify-full</source>
        <translation>&quot;%1&quot; bukan disable, allow, prefer, require, verify-ca atau verify-full</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number of seconds from %2 to %3</source>
        <translation>&quot;%1&quot; bukan bilangan bulat detik dari %2 sampai %3</translation>
    </message>
    <message>
        <source>unknown key; [Store] takes Path, Url, PasswordFile, SslMode and LeaseSeconds</source>
        <translation>kunci tak dikenal; [Store] menerima Path, Url, PasswordFile, SslMode dan LeaseSeconds</translation>
    </message>
    <message>
        <source>%1 holds no password</source>
        <translation>%1 tidak berisi kata sandi</translation>
    </message>
    <message>
        <source>and Path= name two stores; give the one the daemon keeps</source>
        <translation>dan Path= menyebut dua penyimpanan; berikan satu yang dipakai daemon</translation>
    </message>
    <message>
        <source>is given in Url= too (%1=); give it once</source>
        <translation>juga diberikan di Url= (%1=); berikan sekali saja</translation>
    </message>
    <message>
        <source>goes with Url=, the server it is for</source>
        <translation>dipakai bersama Url=, server yang dituju</translation>
    </message>
</context>
<context>
    <name>ImageImport</name>
    <message>
        <source>&quot;%1&quot; is larger than %2 MiB !</source>
        <translation>&quot;%1&quot; lebih besar dari %2 MiB !</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a picture Velmora can read (%2).</source>
        <translation>&quot;%1&quot; bukan gambar yang bisa dibaca Velmora (%2).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 x %3 pixels; Velmora reads pictures of up to %4 million pixels.</source>
        <translation>&quot;%1&quot; berukuran %2 x %3 piksel; Velmora membaca gambar sampai %4 juta piksel.</translation>
    </message>
    <message>
        <source>there is no %1 picture in it</source>
        <translation>tidak ada gambar %1 di dalamnya</translation>
    </message>
    <message>
        <source>the %1 picture in it is cut short</source>
        <translation>gambar %1 di dalamnya terpotong</translation>
    </message>
    <message>
        <source>the picture could not be made into a PNG</source>
        <translation>gambar tidak bisa dijadikan PNG</translation>
    </message>
</context>
<context>
    <name>Logs</name>
    <message>
        <source>Unable to write to %1: %2</source>
        <translation>Tidak bisa menulis ke %1: %2</translation>
    </message>
</context>
<context>
    <name>MessageApi</name>
    <message>
        <source>no recipient is given</source>
        <translation>tidak ada penerima yang diberikan</translation>
    </message>
    <message>
        <source>%1 recipients are given; a message goes to at most %2 at once</source>
        <translation>%1 penerima diberikan; sebuah pesan dikirim ke paling banyak %2 sekaligus</translation>
    </message>
    <message>
        <source>the key is longer than %1 characters</source>
        <translation>kunci lebih panjang dari %1 karakter</translation>
    </message>
    <message>
        <source>no modem is called &quot;%1&quot;</source>
        <translation>tidak ada modem bernama &quot;%1&quot;</translation>
    </message>
    <message>
        <source>it would expire before it may go</source>
        <translation>pesan akan kedaluwarsa sebelum boleh dikirim</translation>
    </message>
    <message>
        <source>the message has no field &quot;%1&quot;</source>
        <translation>pesan tidak memiliki bidang &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the message&apos;s kind is missing</source>
        <translation>jenis pesan tidak ada</translation>
    </message>
    <message>
        <source>the text is longer than any message holds (%1 characters)</source>
        <translation>teks lebih panjang dari yang dapat dimuat pesan mana pun (%1 karakter)</translation>
    </message>
    <message>
        <source>the content is longer than any message holds</source>
        <translation>isi lebih panjang dari yang dapat dimuat pesan mana pun</translation>
    </message>
    <message>
        <source>there is no message %1</source>
        <translation>tidak ada pesan %1</translation>
    </message>
    <message>
        <source>message %1 is %2; only a queued message can be cancelled</source>
        <translation>pesan %1 %2; hanya pesan dalam antrean yang dapat dibatalkan</translation>
    </message>
    <message>
        <source>the offset is below 0</source>
        <translation>offset di bawah 0</translation>
    </message>
    <message>
        <source>the cursor is below 0</source>
        <translation>kursor di bawah 0</translation>
    </message>
    <message>
        <source>the limit is not from 1 to 1000</source>
        <translation>batas bukan dari 1 sampai 1000</translation>
    </message>
    <message>
        <source>the message&apos;s field &quot;%1&quot; has a value of the wrong kind</source>
        <translation>bidang &quot;%1&quot; pada pesan memiliki nilai dengan jenis yang salah</translation>
    </message>
    <message>
        <source>the message&apos;s kind, a number or a code in it is not one there is</source>
        <translation>jenis pesan, atau angka atau kode di dalamnya, tidak ada</translation>
    </message>
    <message>
        <source>this would queue %1 parts (messages of %2 parts to %3 recipients); one request queues at most %4</source>
        <translation>ini akan mengantrekan %1 bagian (pesan %2 bagian ke %3 penerima); satu permintaan mengantrekan paling banyak %4</translation>
    </message>
</context>
<context>
    <name>MessageService</name>
    <message>
        <source>the message is not queued</source>
        <translation>pesan ini tidak dalam antrean</translation>
    </message>
    <message>
        <source>this message cannot be sent again</source>
        <translation>pesan ini tidak bisa dikirim ulang</translation>
    </message>
    <message>
        <source>only a message that failed, or whose fate is not known, is sent again</source>
        <translation>hanya pesan yang gagal, atau yang nasibnya tidak diketahui, yang dikirim ulang</translation>
    </message>
    <message>
        <source>it was sent again already, as message %1</source>
        <translation>pesan ini sudah dikirim ulang, sebagai pesan %1</translation>
    </message>
    <message>
        <source>there is no phone to delete it on</source>
        <translation>tidak ada telepon untuk menghapusnya</translation>
    </message>
</context>
<context>
    <name>MessageStore</name>
    <message>
        <source>unknown error</source>
        <translation>galat tidak diketahui</translation>
    </message>
    <message>
        <source>The message store %1 could not be written: %2</source>
        <translation>Penyimpanan pesan %1 tidak bisa ditulis: %2</translation>
    </message>
    <message>
        <source>%1 is not a Velmora message store: %2</source>
        <translation>%1 bukan penyimpanan pesan Velmora: %2</translation>
    </message>
    <message>
        <source>it belongs to another program (application id 0x%1)</source>
        <translation>berkas ini milik program lain (application id 0x%1)</translation>
    </message>
    <message>
        <source>The message store %1 could not be read: %2</source>
        <translation>Penyimpanan pesan %1 tidak bisa dibaca: %2</translation>
    </message>
    <message>
        <source>it is not an SQLite database</source>
        <translation>bukan basis data SQLite</translation>
    </message>
    <message>
        <source>it holds another program&apos;s tables</source>
        <translation>berisi tabel program lain</translation>
    </message>
    <message>
        <source>not &quot;dd-mm-yyyy hh:mm:ss AM NUMBER PDU&quot;</source>
        <translation>bukan &quot;dd-mm-yyyy hh:mm:ss AM NUMBER PDU&quot;</translation>
    </message>
    <message>
        <source>the date &quot;%1&quot; is not dd-mm-yyyy</source>
        <translation>tanggal &quot;%1&quot; bukan dd-mm-yyyy</translation>
    </message>
    <message>
        <source>the time &quot;%1&quot; is not hh:mm:ss</source>
        <translation>jam &quot;%1&quot; bukan hh:mm:ss</translation>
    </message>
    <message>
        <source>its PDU is not hexadecimal</source>
        <translation>PDU-nya bukan heksadesimal</translation>
    </message>
    <message>
        <source>The folder of the message store %1 could not be made</source>
        <translation>Folder penyimpanan pesan %1 tidak bisa dibuat</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>bukan berkas</translation>
    </message>
    <message>
        <source>The message store %1 could not be opened: Qt&apos;s SQLite driver is missing</source>
        <translation>Penyimpanan pesan %1 tidak bisa dibuka: driver SQLite untuk Qt tidak ada</translation>
    </message>
    <message>
        <source>The message store %1 could not be opened: %2</source>
        <translation>Penyimpanan pesan %1 tidak bisa dibuka: %2</translation>
    </message>
    <message>
        <source>The message store %1 could not be brought to schema %2: %3</source>
        <translation>Penyimpanan pesan %1 tidak bisa dinaikkan ke skema %2: %3</translation>
    </message>
    <message>
        <source>The message from %1 was not recorded: the phone gave no PDU</source>
        <translation>Pesan dari %1 tidak dicatat: ponsel tidak memberikan PDU</translation>
    </message>
    <message>
        <source>The message from %1 was not recorded: its PDU is longer than %2 characters</source>
        <translation>Pesan dari %1 tidak dicatat: PDU-nya lebih dari %2 karakter</translation>
    </message>
    <message>
        <source>The received log %1 does not exist</source>
        <translation>Log pesan masuk %1 tidak ada</translation>
    </message>
    <message>
        <source>The received log %1 is larger than 512 MiB; nothing was imported</source>
        <translation>Log pesan masuk %1 lebih besar dari 512 MiB; tidak ada yang diimpor</translation>
    </message>
    <message>
        <source>The received log %1 could not be read: %2</source>
        <translation>Log pesan masuk %1 tidak bisa dibaca: %2</translation>
    </message>
    <message>
        <source>its PDU could not be read: %1</source>
        <translation>PDU-nya tidak bisa dibaca: %1</translation>
    </message>
    <message>
        <source>longer than 4 KiB</source>
        <translation>lebih dari 4 KiB</translation>
    </message>
    <message>
        <source>The received log %1 could not be read to its end: %2</source>
        <translation>Log pesan masuk %1 tidak bisa dibaca sampai habis: %2</translation>
    </message>
    <message>
        <source>A group needs a name</source>
        <translation>Grup perlu nama</translation>
    </message>
    <message>
        <source>There is already a group named &quot;%1&quot;</source>
        <translation>Sudah ada grup bernama &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The group &quot;%1&quot; is no longer there: it was deleted</source>
        <translation>Grup &quot;%1&quot; sudah tidak ada: grup itu telah dihapus</translation>
    </message>
    <message>
        <source>The message store %1 was opened only to be read</source>
        <translation>Penyimpanan pesan %1 dibuka hanya untuk dibaca</translation>
    </message>
    <message>
        <source>it holds nothing yet</source>
        <translation>belum berisi apa pun</translation>
    </message>
    <message>
        <source>The message store %1 could not be checked: %2</source>
        <translation>Penyimpanan pesan %1 tidak bisa diperiksa: %2</translation>
    </message>
    <message>
        <source>No copy of the message store was made in %1: %2</source>
        <translation>Tidak ada salinan penyimpanan pesan yang dibuat di %1: %2</translation>
    </message>
    <message>
        <source>the file is there already (--force replaces it)</source>
        <translation>berkas itu sudah ada (--force menimpanya)</translation>
    </message>
    <message>
        <source>it is the store itself</source>
        <translation>itu penyimpanan itu sendiri</translation>
    </message>
    <message>
        <source>The message store %1 is damaged (%2): nothing more is written to it. Keep a copy of it (velmora-cli store backup FILE); the README&apos;s Troubleshooting says how to mend it</source>
        <translation>Penyimpanan pesan %1 rusak (%2): tidak ada lagi yang ditulis ke dalamnya. Simpan salinannya (velmora-cli store backup FILE); bagian Troubleshooting di README menjelaskan cara memperbaikinya</translation>
    </message>
    <message>
        <source>its bytes could not be copied</source>
        <translation>bita-bitanya tidak bisa disalin</translation>
    </message>
    <message>
        <source>message %1 was sent again already, or is no longer one to send again</source>
        <translation>pesan %1 sudah dikirim ulang, atau tidak lagi bisa dikirim ulang</translation>
    </message>
    <message>
        <source>the webhooks&apos; queue was moved on by another program</source>
        <translation>antrean webhook sudah dimajukan oleh program lain</translation>
    </message>
    <message>
        <source>The password file %1 was not used: %2</source>
        <translation>Berkas kata sandi %1 tidak dipakai: %2</translation>
    </message>
    <message>
        <source>only postgresql:// servers keep a message store</source>
        <translation>hanya server postgresql:// yang dapat menyimpan pesan</translation>
    </message>
    <message>
        <source>a store is not copied into itself</source>
        <translation>penyimpanan tidak disalin ke dirinya sendiri</translation>
    </message>
    <message>
        <source>the message store %1 holds messages already: a copy goes only into an empty one</source>
        <translation>penyimpanan pesan %1 sudah berisi pesan: salinan hanya masuk ke penyimpanan yang kosong</translation>
    </message>
    <message>
        <source>the server offers no pg_trgm to this user: a search reads every message</source>
        <translation>server tidak menyediakan pg_trgm bagi pengguna ini: pencarian membaca setiap pesan</translation>
    </message>
    <message>
        <source>Qt&apos;s PostgreSQL driver is missing (Debian&apos;s libqt6sql6-psql)</source>
        <translation>driver PostgreSQL milik Qt tidak ada (paket Debian libqt6sql6-psql)</translation>
    </message>
    <message>
        <source> (a server without TLS needs SslMode=disable, or ?sslmode=disable)</source>
        <translation> (server tanpa TLS memerlukan SslMode=disable, atau ?sslmode=disable)</translation>
    </message>
    <message>
        <source>its schema %1 is not there and could not be made</source>
        <translation>skemanya, %1, tidak ada dan tidak dapat dibuat</translation>
    </message>
    <message>
        <source>the message store %1 holds %2 already: a copy goes only into an empty one</source>
        <translation>penyimpanan pesan %1 sudah berisi %2: salinan hanya masuk ke penyimpanan yang kosong</translation>
    </message>
</context>
<context>
    <name>Outbox</name>
    <message>
        <source>no recipient could be queued</source>
        <translation>tidak ada penerima yang bisa diantrekan</translation>
    </message>
    <message>
        <source>the same message to the same recipients was queued as batch %1</source>
        <translation>pesan yang sama ke penerima yang sama sudah diantrekan sebagai kiriman %1</translation>
    </message>
    <message>
        <source>message %1 is not one of a batch</source>
        <translation>pesan %1 bukan bagian dari kiriman massal</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 ke %2 penerima</translation>
    </message>
    <message>
        <source>message %1 is %2, not failed, uncertain or cancelled</source>
        <translation>pesan %1 berstatus %2, bukan gagal, tidak pasti atau dibatalkan</translation>
    </message>
    <message>
        <source>message %1 was sent again already, as message %2</source>
        <translation>pesan %1 sudah dikirim ulang, sebagai pesan %2</translation>
    </message>
</context>
<context>
    <name>PhoneSession</name>
    <message>
        <source>The phone&apos;s answer to %1 is too long to read; it was left unread</source>
        <translation>Jawaban ponsel untuk %1 terlalu panjang untuk dibaca; jawaban itu tidak dibaca</translation>
    </message>
    <message>
        <source>A line of the phone&apos;s answer to %1 is longer than %2 KiB; only its start was read</source>
        <translation>Satu baris jawaban ponsel untuk %1 lebih dari %2 KiB; hanya awalnya yang dibaca</translation>
    </message>
    <message>
        <source>The phone does not pass on delivery reports</source>
        <translation>Ponsel tidak meneruskan laporan pengiriman</translation>
    </message>
    <message>
        <source>The phone does not pass on delivery reports (%1)</source>
        <translation>Ponsel tidak meneruskan laporan pengiriman (%1)</translation>
    </message>
    <message>
        <source> (%1 try left)</source>
        <translation> (sisa %1 kali coba)</translation>
    </message>
    <message>
        <source> (%1 tries left)</source>
        <translation> (sisa %1 kali coba)</translation>
    </message>
    <message>
        <source>Check SIM</source>
        <translation>Periksa SIM</translation>
    </message>
    <message>
        <source>The SIM asks for %1, which Velmora does not give: unlock it in a phone, then connect again</source>
        <translation>SIM meminta %1, yang tidak diberikan Velmora: buka kuncinya di ponsel, lalu sambungkan lagi</translation>
    </message>
    <message>
        <source>The SIM asks for its PIN%1; none was given, so the port is closed</source>
        <translation>SIM meminta PIN%1; PIN tidak diberikan, jadi port ditutup</translation>
    </message>
    <message>
        <source>A PIN is 4 to 8 digits; nothing was sent to the SIM</source>
        <translation>PIN terdiri dari 4 sampai 8 angka; tidak ada yang dikirim ke SIM</translation>
    </message>
    <message>
        <source>Enter SIM PIN</source>
        <translation>Memasukkan PIN SIM</translation>
    </message>
    <message>
        <source>The SIM refused the PIN%1; connect again to give another</source>
        <translation>SIM menolak PIN%1; sambungkan lagi untuk mencoba PIN lain</translation>
    </message>
    <message>
        <source>Enter PDU Mode OK</source>
        <translation>Masuk Mode PDU OK</translation>
    </message>
    <message>
        <source>Ready To Receive</source>
        <translation>Siap Menerima</translation>
    </message>
    <message>
        <source>Get contact from SIM (%1)</source>
        <translation>Ambil kontak dari SIM (%1)</translation>
    </message>
    <message>
        <source>Found (%1) Contacts</source>
        <translation>Ditemukan (%1) Kontak</translation>
    </message>
    <message>
        <source>Get provider list</source>
        <translation>Ambil daftar operator</translation>
    </message>
    <message>
        <source>; use Fast Dialogue to enter the PIN</source>
        <translation>; pakai Dialog Cepat untuk memasukkan PIN</translation>
    </message>
    <message>
        <source>Port %1 already open, please disconnect first before you want to use another serial port !</source>
        <translation>Port %1 sudah terbuka, putuskan dulu sebelum memakai port serial lain !</translation>
    </message>
    <message>
        <source>Communication Port Open</source>
        <translation>Port Komunikasi Terbuka</translation>
    </message>
    <message>
        <source>Initialization</source>
        <translation>Inisialisasi</translation>
    </message>
    <message>
        <source>No Response From Mobile Phone !</source>
        <translation>Tidak Ada Jawaban Dari Ponsel !</translation>
    </message>
    <message>
        <source>Unable to open port %1 !</source>
        <translation>Tidak bisa membuka port %1 !</translation>
    </message>
    <message>
        <source>Initialization Complete</source>
        <translation>Inisialisasi Selesai</translation>
    </message>
    <message>
        <source>Communication Port Close</source>
        <translation>Port Komunikasi Ditutup</translation>
    </message>
    <message>
        <source>Connection to the phone lost (%1), please check data cable connection !</source>
        <translation>Sambungan ke ponsel terputus (%1), periksa sambungan kabel data !</translation>
    </message>
    <message>
        <source>Check Signal</source>
        <translation>Periksa Sinyal</translation>
    </message>
    <message>
        <source>Unable to get RSSI (%1), please check data cable connection !</source>
        <translation>Tidak bisa membaca RSSI (%1), periksa sambungan kabel data !</translation>
    </message>
    <message>
        <source>Received Signal Strength Indication (RSSI) reading taken</source>
        <translation>Kekuatan sinyal (RSSI) sudah dibaca</translation>
    </message>
    <message>
        <source>SIM</source>
        <translation>SIM</translation>
    </message>
    <message>
        <source>phone</source>
        <translation>ponsel</translation>
    </message>
    <message>
        <source>%1 message %2</source>
        <translation>pesan %1 %2</translation>
    </message>
    <message>
        <source>the %1 store (%2)</source>
        <translation>penyimpanan %1 (%2)</translation>
    </message>
    <message>
        <source>the %1 store</source>
        <translation>penyimpanan %1</translation>
    </message>
    <message>
        <source>no final answer came in time</source>
        <translation>jawaban akhir tidak datang tepat waktu</translation>
    </message>
    <message>
        <source>The phone gave the %1 as text, not as a PDU</source>
        <translation>Ponsel memberikan %1 sebagai teks, bukan sebagai PDU</translation>
    </message>
    <message>
        <source>The %1 could not be read (%2)</source>
        <translation>Tidak bisa membaca %1 (%2)</translation>
    </message>
    <message>
        <source>The %1 is gone%2</source>
        <translation>Sudah tidak ada: %1%2</translation>
    </message>
    <message>
        <source>Get message storages</source>
        <translation>Ambil daftar penyimpanan pesan</translation>
    </message>
    <message>
        <source>The phone names no message storage Velmora reads</source>
        <translation>Ponsel tidak menyebut penyimpanan pesan yang dibaca Velmora</translation>
    </message>
    <message>
        <source>Select %1 messages</source>
        <translation>Pilih pesan %1</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 tidak bisa dibaca: %2</translation>
    </message>
    <message>
        <source>The phone refuses PDU mode</source>
        <translation>Ponsel menolak mode PDU</translation>
    </message>
    <message>
        <source>the phone refuses PDU mode (%1), so no message was read</source>
        <translation>ponsel menolak mode PDU (%1), jadi tidak ada pesan yang dibaca</translation>
    </message>
    <message>
        <source>Get messages from %1</source>
        <translation>Ambil pesan dari %1</translation>
    </message>
    <message>
        <source>%1 was not read to its end: %2</source>
        <translation>%1 tidak terbaca sampai habis: %2</translation>
    </message>
    <message>
        <source>%1:%2 could not be read (%3)</source>
        <translation>%1:%2 tidak bisa dibaca (%3)</translation>
    </message>
    <message>
        <source>Found (%1) Messages</source>
        <translation>Ditemukan (%1) Pesan</translation>
    </message>
    <message>
        <source>Not connected to the phone; nothing was deleted</source>
        <translation>Tidak tersambung ke ponsel; tidak ada yang dihapus</translation>
    </message>
    <message>
        <source>The phone would not open its %1 messages%2; nothing was deleted</source>
        <translation>Ponsel tidak mau membuka pesan %1%2; tidak ada yang dihapus</translation>
    </message>
    <message>
        <source>The phone refuses PDU mode%1; nothing was deleted</source>
        <translation>Ponsel menolak mode PDU%1; tidak ada yang dihapus</translation>
    </message>
    <message>
        <source>%1; nothing was deleted</source>
        <translation>%1; tidak ada yang dihapus</translation>
    </message>
    <message>
        <source>The %1 has changed since it was read; nothing was deleted</source>
        <translation>Isi %1 sudah berubah sejak dibaca; tidak ada yang dihapus</translation>
    </message>
    <message>
        <source>The phone did not delete the %1%2</source>
        <translation>Ponsel tidak menghapus %1%2</translation>
    </message>
    <message>
        <source>Deleted the %1</source>
        <translation>Terhapus: %1</translation>
    </message>
    <message>
        <source>Connection to the phone lost (%1); the %2 may or may not be deleted</source>
        <translation>Sambungan ke ponsel terputus (%1); %2 mungkin sudah terhapus, mungkin belum</translation>
    </message>
    <message>
        <source>The new %1 message %2 could not be read: the phone would not open its store</source>
        <translation>Pesan %1 %2 yang baru tidak bisa dibaca: ponsel tidak mau membuka penyimpanannya</translation>
    </message>
    <message>
        <source>new %1 message %2</source>
        <translation>pesan %1 %2 yang baru</translation>
    </message>
    <message>
        <source>%1 message %2 (a delivery report)</source>
        <translation>pesan %1 %2 (laporan pengiriman)</translation>
    </message>
    <message>
        <source>The %1 could not be read: the phone would not open its store</source>
        <translation>Tidak bisa membaca %1: ponsel tidak mau membuka penyimpanannya</translation>
    </message>
    <message>
        <source>Get phone book limits</source>
        <translation>Membaca batas buku telepon</translation>
    </message>
    <message>
        <source>Write contact to SIM (%1)</source>
        <translation>Menulis kontak ke SIM (%1)</translation>
    </message>
    <message>
        <source>Delete contact from SIM (%1)</source>
        <translation>Menghapus kontak dari SIM (%1)</translation>
    </message>
    <message>
        <source>the phone offers no message store, so no message was read</source>
        <translation>ponsel tidak menawarkan penyimpanan pesan apa pun, jadi tidak ada pesan yang dibaca</translation>
    </message>
    <message>
        <source>the phone offers only %1, none of them a store Velmora reads, so no message was read</source>
        <translation>ponsel hanya menawarkan %1, tak satu pun penyimpanan yang dibaca Velmora, jadi tidak ada pesan yang dibaca</translation>
    </message>
</context>
<context>
    <name>Phonebook</name>
    <message>
        <source>Writing to the SIM&apos;s phone book needs the fast dialogue (Communication &gt; Fast Dialogue, or --fast).</source>
        <translation>Menulis ke buku telepon SIM memerlukan dialog cepat (Komunikasi &gt; Dialog Cepat, atau --fast).</translation>
    </message>
    <message>
        <source>The phone is not connected; nothing was written.</source>
        <translation>Ponsel tidak tersambung; tidak ada yang ditulis.</translation>
    </message>
    <message>
        <source>The phone did not describe its SIM phone book, so nothing can be written to it.</source>
        <translation>Ponsel tidak memberi keterangan buku telepon SIM-nya, jadi tidak ada yang bisa ditulis.</translation>
    </message>
    <message>
        <source>The phone did not describe its SIM phone book (%1), so nothing can be written to it.</source>
        <translation>Ponsel tidak memberi keterangan buku telepon SIM-nya (%1), jadi tidak ada yang bisa ditulis.</translation>
    </message>
    <message>
        <source>Place %1 is not in the SIM&apos;s phone book, which has places %2 to %3.</source>
        <translation>Tempat %1 tidak ada di buku telepon SIM, yang punya tempat %2 sampai %3.</translation>
    </message>
    <message>
        <source>Place %1 holds &quot;%2&quot; already; it was not written over.</source>
        <translation>Tempat %1 sudah berisi &quot;%2&quot;; tidak ditimpa.</translation>
    </message>
    <message>
        <source>Place %1 of the SIM&apos;s phone book is empty; there is nothing to delete.</source>
        <translation>Tempat %1 di buku telepon SIM kosong; tidak ada yang dihapus.</translation>
    </message>
    <message>
        <source>The entry has no number.</source>
        <translation>Entri ini tidak punya nomor.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a phone number: it must be 1 to 20 digits, with a + in front for an international one.</source>
        <translation>&quot;%1&quot; bukan nomor telepon: harus 1 sampai 20 digit, dengan + di depan untuk nomor internasional.</translation>
    </message>
    <message>
        <source>The number &quot;%1&quot; is longer than the %2 digits the SIM holds.</source>
        <translation>Nomor &quot;%1&quot; lebih panjang dari %2 digit yang bisa disimpan SIM.</translation>
    </message>
    <message>
        <source>The SIM cannot hold %1 in a name; write the name without them.</source>
        <translation>SIM tidak bisa menyimpan %1 dalam nama; tulis nama tanpa karakter tersebut.</translation>
    </message>
    <message>
        <source>The name is longer than the %1 characters the SIM holds.</source>
        <translation>Nama lebih panjang dari %1 karakter yang bisa disimpan SIM.</translation>
    </message>
    <message>
        <source>The phone would not take the name in UCS2 (%1); nothing was written.</source>
        <translation>Ponsel tidak menerima nama dalam UCS2 (%1); tidak ada yang ditulis.</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>tanpa alasan</translation>
    </message>
    <message>
        <source>The phone refused place %1: %2</source>
        <translation>Ponsel menolak tempat %1: %2</translation>
    </message>
    <message>
        <source>Places %1 to %2</source>
        <translation>Tempat %1 sampai %2</translation>
    </message>
    <message>
        <source>numbers of up to %1 digits</source>
        <translation>nomor sampai %1 digit</translation>
    </message>
    <message>
        <source>numbers of any length the phone takes</source>
        <translation>nomor sepanjang yang diterima ponsel</translation>
    </message>
    <message>
        <source>names of up to %1 characters</source>
        <translation>nama sampai %1 karakter</translation>
    </message>
    <message>
        <source>names of any length the phone takes</source>
        <translation>nama sepanjang yang diterima ponsel</translation>
    </message>
    <message>
        <source>%1, %2, %3 (%4)</source>
        <translation>%1, %2, %3 (%4)</translation>
    </message>
    <message>
        <source>no free place left</source>
        <translation>tidak ada tempat kosong lagi</translation>
    </message>
    <message>
        <source>the SIM has this number at place %1</source>
        <translation>nomor ini sudah ada di SIM pada tempat %1</translation>
    </message>
    <message>
        <source>the SIM has this number already</source>
        <translation>nomor ini sudah ada di SIM</translation>
    </message>
</context>
<context>
    <name>PortProbe</name>
    <message>
        <source>%1 (pid %2)</source>
        <translation>%1 (pid %2)</translation>
    </message>
    <message>
        <source>a program</source>
        <translation>sebuah program</translation>
    </message>
    <message>
        <source>held by %1</source>
        <translation>dipakai oleh %1</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>tidak menjawab</translation>
    </message>
    <message>
        <source>answers</source>
        <translation>menjawab</translation>
    </message>
    <message>
        <source>answers: %1</source>
        <translation>menjawab: %1</translation>
    </message>
    <message>
        <source>%1 (nothing is connected behind this device)</source>
        <translation>%1 (tidak ada yang tersambung di balik perangkat ini)</translation>
    </message>
    <message>
        <source>busy: %1</source>
        <translation>sibuk: %1</translation>
    </message>
    <message>
        <source>in exclusive use by another program</source>
        <translation>dipakai khusus oleh program lain</translation>
    </message>
    <message>
        <source>not a serial device</source>
        <translation>bukan perangkat serial</translation>
    </message>
    <message>
        <source>too many processes and open files to see whether another program holds it</source>
        <translation>terlalu banyak proses dan berkas terbuka untuk melihat apakah ada program lain yang memakainya</translation>
    </message>
    <message>
        <source>locked by another program</source>
        <translation>dikunci program lain</translation>
    </message>
</context>
<context>
    <name>Recipients</name>
    <message>
        <source>column %1</source>
        <translation>kolom %1</translation>
    </message>
    <message>
        <source>the header row has %1 columns, more than the %2 read</source>
        <translation>baris judul punya %1 kolom, lebih dari %2 yang dibaca</translation>
    </message>
    <message>
        <source>more than %1 rows: split the file</source>
        <translation>lebih dari %1 baris: pecah berkasnya</translation>
    </message>
    <message>
        <source>line %1 has %2 cells, more than the %3 read</source>
        <translation>baris %1 punya %2 sel, lebih dari %3 yang dibaca</translation>
    </message>
    <message>
        <source>more than %1 cells: split the file</source>
        <translation>lebih dari %1 sel: pecah berkasnya</translation>
    </message>
    <message>
        <source>the quote opened on line %1 is never closed</source>
        <translation>tanda kutip yang dibuka di baris %1 tidak pernah ditutup</translation>
    </message>
    <message>
        <source>no header row: the file is empty</source>
        <translation>tidak ada baris judul: berkasnya kosong</translation>
    </message>
    <message>
        <source>%1: not a regular file</source>
        <translation>%1: bukan berkas biasa</translation>
    </message>
    <message>
        <source>%1: larger than %2 MB, more than a contacts file is read</source>
        <translation>%1: lebih besar dari %2 MB, melebihi yang dibaca dari berkas kontak</translation>
    </message>
    <message>
        <source>%1: written in UTF-16; save it as CSV in UTF-8</source>
        <translation>%1: ditulis dalam UTF-16; simpan sebagai CSV dalam UTF-8</translation>
    </message>
    <message>
        <source>there is no column &quot;%1&quot;; the columns are %2</source>
        <translation>tidak ada kolom &quot;%1&quot;; kolomnya adalah %2</translation>
    </message>
    <message>
        <source>no column looks like phone numbers; the columns are %1</source>
        <translation>tidak ada kolom yang tampak berisi nomor telepon; kolomnya adalah %1</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>%1 lagi</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; bukan bilangan bulat yang sah</translation>
    </message>
    <message>
        <source>[Outbox] Retries=%1 is not from 0 to %2; 2 is used</source>
        <translation>[Outbox] Retries=%1 tidak di antara 0 dan %2; dipakai 2</translation>
    </message>
    <message>
        <source>%1: not read (%2); using the defaults and leaving the file as it is</source>
        <translation>%1: tidak dibaca (%2); memakai nilai bawaan dan membiarkan berkas apa adanya</translation>
    </message>
    <message>
        <source>Unable to read %1: %2</source>
        <translation>Tidak bisa membaca %1: %2</translation>
    </message>
    <message>
        <source>larger than 1 MiB</source>
        <translation>lebih besar dari 1 MiB</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Tidak bisa menulis ke %1</translation>
    </message>
    <message>
        <source>[Communication Port] UssdEncoding=%1 is neither text nor packed; each modem is found out</source>
        <translation>[Communication Port] UssdEncoding=%1 bukan text maupun packed; setiap modem dicari tahu</translation>
    </message>
    <message>
        <source>[Messages] KeepDays=%1 is not from 0 to %2; every message is kept</source>
        <translation>[Messages] KeepDays=%1 tidak di antara 0 dan %2; semua pesan disimpan</translation>
    </message>
    <message>
        <source>[Messages] CountryCode=%1 is not 1 to 3 digits; %2 is used</source>
        <translation>[Messages] CountryCode=%1 bukan 1 sampai 3 digit; dipakai %2</translation>
    </message>
    <message>
        <source>SslMode=%1 is not disable, allow, prefer, require, verify-ca or verify-full</source>
        <translation>SslMode=%1 bukan disable, allow, prefer, require, verify-ca atau verify-full</translation>
    </message>
    <message>
        <source>[Store] Url: %1; the message store file is used instead</source>
        <translation>[Store] Url: %1; berkas penyimpanan pesan yang dipakai</translation>
    </message>
</context>
<context>
    <name>StoreLocation</name>
    <message>
        <source>&quot;%1&quot; is not a host name, an address or a socket folder</source>
        <translation>&quot;%1&quot; bukan nama host, alamat, atau folder soket</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port from 1 to 65535</source>
        <translation>&quot;%1&quot; bukan port dari 1 sampai 65535</translation>
    </message>
    <message>
        <source>names no host; give its name, its address or the server&apos;s socket folder (%2F...)</source>
        <translation>tidak menyebut host; berikan namanya, alamatnya, atau folder soket server (%2F...)</translation>
    </message>
    <message>
        <source>is longer than %1 characters</source>
        <translation>lebih panjang dari %1 karakter</translation>
    </message>
    <message>
        <source>names no user; put it before the host, as in postgresql://velmora@HOST/DATABASE</source>
        <translation>tidak menyebut pengguna; taruh sebelum host, seperti postgresql://velmora@HOST/DATABASE</translation>
    </message>
    <message>
        <source>names no database; end it with /DATABASE, as in postgresql://velmora@HOST/velmora</source>
        <translation>tidak menyebut basis data; akhiri dengan /DATABASE, seperti postgresql://velmora@HOST/velmora</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a database name</source>
        <translation>&quot;%1&quot; bukan nama basis data</translation>
    </message>
    <message>
        <source>ends in a #fragment, which a store&apos;s URL does not take</source>
        <translation>diakhiri #fragmen, yang tidak diterima URL penyimpanan</translation>
    </message>
    <message>
        <source>takes password_file, sslmode and schema after &apos;?&apos;, not &quot;%1&quot;</source>
        <translation>menerima password_file, sslmode dan schema setelah &apos;?&apos;, bukan &quot;%1&quot;</translation>
    </message>
    <message>
        <source>gives %1 twice</source>
        <translation>memberikan %1 dua kali</translation>
    </message>
    <message>
        <source>password_file &quot;%1&quot; is not an absolute path</source>
        <translation>password_file &quot;%1&quot; bukan path absolut</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an sslmode: disable, allow, prefer, require, verify-ca or verify-full</source>
        <translation>&quot;%1&quot; bukan sslmode: disable, allow, prefer, require, verify-ca atau verify-full</translation>
    </message>
    <message>
        <source>is not a postgresql:// or postgres:// URL, such as postgresql://velmora@db.example.org/velmora</source>
        <translation>bukan URL postgresql:// atau postgres://, seperti postgresql://velmora@db.example.org/velmora</translation>
    </message>
    <message>
        <source>holds a password, which would show in ps and in logs; keep it in a file that PasswordFile= names</source>
        <translation>berisi kata sandi, yang akan terlihat di ps dan di log; simpan di berkas yang disebut PasswordFile=</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a schema name: lower-case letters, digits and _, at most %2</source>
        <translation>&quot;%1&quot; bukan nama skema: huruf kecil, angka dan _, paling banyak %2</translation>
    </message>
</context>
<context>
    <name>SubmitOutcome</name>
    <message>
        <source>Fail (no PDU mode)</source>
        <translation>Gagal (tidak ada mode PDU)</translation>
    </message>
    <message>
        <source>Fail (no prompt)</source>
        <translation>Gagal (tidak ada prompt)</translation>
    </message>
    <message>
        <source>Fail (1)</source>
        <translation>Gagal (1)</translation>
    </message>
    <message>
        <source>Message Sent</source>
        <translation>Pesan Terkirim</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Tidak diketahui</translation>
    </message>
    <message>
        <source>Fail (not connected)</source>
        <translation>Gagal (tidak tersambung)</translation>
    </message>
</context>
<context>
    <name>UssdDialogue</name>
    <message>
        <source>the request is empty</source>
        <translation>permintaan kosong</translation>
    </message>
    <message>
        <source>the request is longer than %1 characters</source>
        <translation>permintaan lebih panjang dari %1 karakter</translation>
    </message>
    <message>
        <source>the request holds a character other than letters, digits, blanks and punctuation (or a double quote)</source>
        <translation>permintaan berisi karakter selain huruf, angka, spasi dan tanda baca (atau tanda kutip ganda)</translation>
    </message>
</context>
<context>
    <name>batch state</name>
    <message>
        <source>active</source>
        <translation>aktif</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>dijeda</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>dibatalkan</translation>
    </message>
    <message>
        <source>finished</source>
        <translation>selesai</translation>
    </message>
</context>
<context>
    <name>coding</name>
    <message>
        <source>gsm7</source>
        <translation>GSM 7-bit</translation>
    </message>
    <message>
        <source>8bit</source>
        <translation>data 8-bit</translation>
    </message>
    <message>
        <source>ucs2</source>
        <translation>Unikode (UCS2)</translation>
    </message>
</context>
<context>
    <name>indicator</name>
    <message>
        <source>voicemail</source>
        <translation>pesan suara</translation>
    </message>
    <message>
        <source>fax</source>
        <translation>faks</translation>
    </message>
    <message>
        <source>email</source>
        <translation>surel</translation>
    </message>
    <message>
        <source>other</source>
        <translation>lainnya</translation>
    </message>
</context>
<context>
    <name>kind</name>
    <message>
        <source>text</source>
        <translation>teks</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Teks</translation>
    </message>
    <message>
        <source>flash</source>
        <translation>pesan kilat</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Pesan kilat</translation>
    </message>
    <message>
        <source>logo</source>
        <translation>logo operator</translation>
    </message>
    <message>
        <source>Operator logo</source>
        <translation>Logo operator</translation>
    </message>
    <message>
        <source>group</source>
        <translation>gambar grup</translation>
    </message>
    <message>
        <source>Group graphic</source>
        <translation>Gambar grup</translation>
    </message>
    <message>
        <source>picture</source>
        <translation>pesan gambar</translation>
    </message>
    <message>
        <source>Picture message</source>
        <translation>Pesan gambar</translation>
    </message>
    <message>
        <source>ringtone</source>
        <translation>nada dering</translation>
    </message>
    <message>
        <source>Ringtone</source>
        <translation>Nada dering</translation>
    </message>
    <message>
        <source>ems</source>
        <translation>pesan EMS</translation>
    </message>
    <message>
        <source>EMS</source>
        <translation>Pesan EMS</translation>
    </message>
    <message>
        <source>void</source>
        <translation>pesan kosong</translation>
    </message>
    <message>
        <source>Void</source>
        <translation>Pesan kosong</translation>
    </message>
    <message>
        <source>indicator</source>
        <translation>indikasi pesan menunggu</translation>
    </message>
    <message>
        <source>Waiting indication</source>
        <translation>Indikasi pesan menunggu</translation>
    </message>
    <message>
        <source>data</source>
        <translation>data biner</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Data biner</translation>
    </message>
    <message>
        <source>report</source>
        <translation>laporan pengiriman</translation>
    </message>
    <message>
        <source>Delivery report</source>
        <translation>Laporan pengiriman</translation>
    </message>
    <message>
        <source>ussd</source>
        <translation>sesi USSD</translation>
    </message>
    <message>
        <source>USSD session</source>
        <translation>Sesi USSD</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>tak terbaca</translation>
    </message>
    <message>
        <source>Unreadable</source>
        <translation>Tak terbaca</translation>
    </message>
</context>
<context>
    <name>link/Replies</name>
    <message>
        <source>phone failure</source>
        <translation>ponsel gagal</translation>
    </message>
    <message>
        <source>no connection to phone</source>
        <translation>tidak ada sambungan ke ponsel</translation>
    </message>
    <message>
        <source>phone-adaptor link reserved</source>
        <translation>jalur adaptor ponsel sedang dipakai</translation>
    </message>
    <message>
        <source>operation not allowed</source>
        <translation>tindakan tidak diizinkan</translation>
    </message>
    <message>
        <source>operation not supported</source>
        <translation>tindakan tidak didukung</translation>
    </message>
    <message>
        <source>PH-SIM PIN required</source>
        <translation>PIN PH-SIM diperlukan</translation>
    </message>
    <message>
        <source>SIM not inserted</source>
        <translation>SIM tidak terpasang</translation>
    </message>
    <message>
        <source>SIM PIN required</source>
        <translation>PIN SIM diperlukan</translation>
    </message>
    <message>
        <source>SIM PUK required</source>
        <translation>PUK SIM diperlukan</translation>
    </message>
    <message>
        <source>SIM failure</source>
        <translation>SIM gagal</translation>
    </message>
    <message>
        <source>SIM busy</source>
        <translation>SIM sedang sibuk</translation>
    </message>
    <message>
        <source>SIM wrong</source>
        <translation>SIM salah</translation>
    </message>
    <message>
        <source>incorrect password</source>
        <translation>kata sandi salah</translation>
    </message>
    <message>
        <source>SIM PIN2 required</source>
        <translation>PIN2 SIM diperlukan</translation>
    </message>
    <message>
        <source>SIM PUK2 required</source>
        <translation>PUK2 SIM diperlukan</translation>
    </message>
    <message>
        <source>memory full</source>
        <translation>memori penuh</translation>
    </message>
    <message>
        <source>invalid index</source>
        <translation>indeks tidak sah</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>tidak ditemukan</translation>
    </message>
    <message>
        <source>memory failure</source>
        <translation>memori gagal</translation>
    </message>
    <message>
        <source>text string too long</source>
        <translation>teks terlalu panjang</translation>
    </message>
    <message>
        <source>invalid characters in text string</source>
        <translation>ada karakter tidak sah dalam teks</translation>
    </message>
    <message>
        <source>dial string too long</source>
        <translation>nomor panggil terlalu panjang</translation>
    </message>
    <message>
        <source>invalid characters in dial string</source>
        <translation>ada karakter tidak sah dalam nomor panggil</translation>
    </message>
    <message>
        <source>no network service</source>
        <translation>tidak ada layanan jaringan</translation>
    </message>
    <message>
        <source>network timeout</source>
        <translation>jaringan tidak menjawab tepat waktu</translation>
    </message>
    <message>
        <source>network not allowed - emergency calls only</source>
        <translation>jaringan tidak diizinkan - hanya panggilan darurat</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>tidak diketahui</translation>
    </message>
    <message>
        <source>unassigned (unallocated) number</source>
        <translation>nomor tidak terdaftar</translation>
    </message>
    <message>
        <source>operator determined barring</source>
        <translation>diblokir oleh operator</translation>
    </message>
    <message>
        <source>call barred</source>
        <translation>panggilan diblokir</translation>
    </message>
    <message>
        <source>short message transfer rejected</source>
        <translation>pengiriman pesan singkat ditolak</translation>
    </message>
    <message>
        <source>memory capacity exceeded</source>
        <translation>kapasitas memori terlampaui</translation>
    </message>
    <message>
        <source>destination out of order</source>
        <translation>tujuan sedang tidak berfungsi</translation>
    </message>
    <message>
        <source>unidentified subscriber</source>
        <translation>pelanggan tidak teridentifikasi</translation>
    </message>
    <message>
        <source>facility rejected</source>
        <translation>fasilitas ditolak</translation>
    </message>
    <message>
        <source>unknown subscriber</source>
        <translation>pelanggan tidak dikenal</translation>
    </message>
    <message>
        <source>network out of order</source>
        <translation>jaringan sedang tidak berfungsi</translation>
    </message>
    <message>
        <source>temporary failure</source>
        <translation>gangguan sementara</translation>
    </message>
    <message>
        <source>congestion</source>
        <translation>jaringan padat</translation>
    </message>
    <message>
        <source>resources unavailable, unspecified</source>
        <translation>sumber daya tidak tersedia, tanpa keterangan</translation>
    </message>
    <message>
        <source>requested facility not subscribed</source>
        <translation>fasilitas yang diminta tidak dilanggan</translation>
    </message>
    <message>
        <source>requested facility not implemented</source>
        <translation>fasilitas yang diminta tidak tersedia</translation>
    </message>
    <message>
        <source>invalid short message transfer reference value</source>
        <translation>nilai referensi pengiriman pesan singkat tidak sah</translation>
    </message>
    <message>
        <source>semantically incorrect message</source>
        <translation>isi pesan tidak benar</translation>
    </message>
    <message>
        <source>invalid mandatory information</source>
        <translation>informasi wajib tidak sah</translation>
    </message>
    <message>
        <source>message type non-existent or not implemented</source>
        <translation>jenis pesan tidak ada atau tidak didukung</translation>
    </message>
    <message>
        <source>message not compatible with short message protocol state</source>
        <translation>pesan tidak cocok dengan keadaan protokol pesan singkat</translation>
    </message>
    <message>
        <source>information element non-existent or not implemented</source>
        <translation>elemen informasi tidak ada atau tidak didukung</translation>
    </message>
    <message>
        <source>protocol error, unspecified</source>
        <translation>kesalahan protokol, tanpa keterangan</translation>
    </message>
    <message>
        <source>interworking, unspecified</source>
        <translation>kesalahan antarkerja, tanpa keterangan</translation>
    </message>
    <message>
        <source>telematic interworking not supported</source>
        <translation>antarkerja telematika tidak didukung</translation>
    </message>
    <message>
        <source>short message type 0 not supported</source>
        <translation>pesan singkat tipe 0 tidak didukung</translation>
    </message>
    <message>
        <source>cannot replace short message</source>
        <translation>pesan singkat tidak dapat diganti</translation>
    </message>
    <message>
        <source>unspecified protocol identifier error</source>
        <translation>kesalahan pengenal protokol, tanpa keterangan</translation>
    </message>
    <message>
        <source>data coding scheme not supported</source>
        <translation>skema penyandian data tidak didukung</translation>
    </message>
    <message>
        <source>message class not supported</source>
        <translation>kelas pesan tidak didukung</translation>
    </message>
    <message>
        <source>unspecified data coding scheme error</source>
        <translation>kesalahan skema penyandian data, tanpa keterangan</translation>
    </message>
    <message>
        <source>TPDU not supported</source>
        <translation>TPDU tidak didukung</translation>
    </message>
    <message>
        <source>service centre busy</source>
        <translation>pusat layanan sibuk</translation>
    </message>
    <message>
        <source>no service centre subscription</source>
        <translation>tidak berlangganan pusat layanan</translation>
    </message>
    <message>
        <source>service centre system failure</source>
        <translation>sistem pusat layanan gagal</translation>
    </message>
    <message>
        <source>invalid destination address</source>
        <translation>alamat tujuan tidak sah</translation>
    </message>
    <message>
        <source>destination barred</source>
        <translation>tujuan diblokir</translation>
    </message>
    <message>
        <source>duplicate message rejected</source>
        <translation>pesan kembar ditolak</translation>
    </message>
    <message>
        <source>SIM message storage full</source>
        <translation>penyimpanan pesan SIM penuh</translation>
    </message>
    <message>
        <source>no message storage on the SIM</source>
        <translation>SIM tidak punya penyimpanan pesan</translation>
    </message>
    <message>
        <source>error in the phone</source>
        <translation>kesalahan di ponsel</translation>
    </message>
    <message>
        <source>unspecified error</source>
        <translation>kesalahan tanpa keterangan</translation>
    </message>
    <message>
        <source>ME failure</source>
        <translation>ponsel (ME) gagal</translation>
    </message>
    <message>
        <source>SMS service of ME reserved</source>
        <translation>layanan SMS ponsel sedang dipakai</translation>
    </message>
    <message>
        <source>invalid PDU mode parameter</source>
        <translation>parameter mode PDU tidak sah</translation>
    </message>
    <message>
        <source>invalid text mode parameter</source>
        <translation>parameter mode teks tidak sah</translation>
    </message>
    <message>
        <source>invalid memory index</source>
        <translation>indeks memori tidak sah</translation>
    </message>
    <message>
        <source>SMSC address unknown</source>
        <translation>alamat SMSC tidak diketahui</translation>
    </message>
    <message>
        <source>no +CNMA acknowledgement expected</source>
        <translation>tidak ada konfirmasi +CNMA yang ditunggu</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>kesalahan tidak diketahui</translation>
    </message>
</context>
<context>
    <name>pdu type</name>
    <message>
        <source>deliver</source>
        <translation>masuk</translation>
    </message>
    <message>
        <source>submit</source>
        <translation>keluar</translation>
    </message>
    <message>
        <source>status-report</source>
        <translation>laporan status</translation>
    </message>
</context>
<context>
    <name>reason</name>
    <message>
        <source>cms-error</source>
        <translation>ditolak ponsel (CMS)</translation>
    </message>
    <message>
        <source>cme-error</source>
        <translation>ditolak ponsel (CME)</translation>
    </message>
    <message>
        <source>error</source>
        <translation>ditolak ponsel</translation>
    </message>
    <message>
        <source>no-pdu-mode</source>
        <translation>ponsel tak mau mode PDU</translation>
    </message>
    <message>
        <source>no-prompt</source>
        <translation>ponsel tak memberi prompt</translation>
    </message>
    <message>
        <source>no-answer</source>
        <translation>ponsel tak menjawab</translation>
    </message>
    <message>
        <source>link-lost</source>
        <translation>sambungan putus</translation>
    </message>
    <message>
        <source>not-connected</source>
        <translation>ponsel tak tersambung</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>program berhenti</translation>
    </message>
    <message>
        <source>report-failed</source>
        <translation>laporan: tidak sampai</translation>
    </message>
    <message>
        <source>store-failed</source>
        <translation>riwayat gagal mencatat</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>dibatalkan</translation>
    </message>
    <message>
        <source>expired</source>
        <translation>kedaluwarsa</translation>
    </message>
    <message>
        <source>retrying</source>
        <translation>akan dicoba lagi</translation>
    </message>
    <message>
        <source>vanished</source>
        <translation>lenyap</translation>
    </message>
</context>
<context>
    <name>received</name>
    <message>
        <source>Compressed text: %1</source>
        <translation>Teks terkompresi: %1</translation>
    </message>
    <message>
        <source>Operator logo for %1 %2</source>
        <translation>Logo operator untuk %1 %2</translation>
    </message>
    <message>
        <source>Group graphic</source>
        <translation>Gambar grup</translation>
    </message>
    <message>
        <source>Picture message</source>
        <translation>Pesan gambar</translation>
    </message>
    <message>
        <source>Ringtone</source>
        <translation>Nada dering</translation>
    </message>
    <message>
        <source>Ringtone: %1</source>
        <translation>Nada dering: %1</translation>
    </message>
    <message>
        <source>Void message</source>
        <translation>Pesan kosong</translation>
    </message>
    <message>
        <source>Voicemail</source>
        <translation>Pesan suara</translation>
    </message>
    <message>
        <source>Fax</source>
        <translation>Faks</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>Surel</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Pesan</translation>
    </message>
    <message>
        <source>%1 waiting: %2</source>
        <translation>%1 menunggu: %2</translation>
    </message>
    <message>
        <source>%1 waiting</source>
        <translation>%1 menunggu</translation>
    </message>
    <message>
        <source>%1 read, none waiting</source>
        <translation>%1 sudah dibaca, tidak ada yang menunggu</translation>
    </message>
    <message>
        <source>Data for port %1</source>
        <translation>Data untuk port %1</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Data biner</translation>
    </message>
</context>
<context>
    <name>state</name>
    <message>
        <source>queued</source>
        <translation>dalam antrean</translation>
    </message>
    <message>
        <source>Queued</source>
        <translation>Dalam antrean</translation>
    </message>
    <message>
        <source>sending</source>
        <translation>sedang dikirim</translation>
    </message>
    <message>
        <source>Sending</source>
        <translation>Sedang dikirim</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>terkirim</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Terkirim</translation>
    </message>
    <message>
        <source>delivered</source>
        <translation>sampai ke penerima</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>Sampai ke penerima</translation>
    </message>
    <message>
        <source>not-delivered</source>
        <translation>tidak sampai</translation>
    </message>
    <message>
        <source>Not delivered</source>
        <translation>Tidak sampai</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>gagal</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Gagal</translation>
    </message>
    <message>
        <source>uncertain</source>
        <translation>tidak pasti</translation>
    </message>
    <message>
        <source>Uncertain</source>
        <translation>Tidak pasti</translation>
    </message>
    <message>
        <source>received</source>
        <translation>diterima</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Diterima</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>dibatalkan</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Dibatalkan</translation>
    </message>
</context>
<context>
    <name>velmora::api::Hooks</name>
    <message>
        <source>[Hooks] %1=: no program given</source>
        <translation>[Hooks] %1=: tidak ada program yang diberikan</translation>
    </message>
    <message>
        <source>[Hooks] %1=: %2 is not a program that can be run</source>
        <translation>[Hooks] %1=: %2 bukan program yang dapat dijalankan</translation>
    </message>
    <message>
        <source>hooks: %1 events wait for their hook; new ones are dropped until fewer wait</source>
        <translation>hooks: %1 peristiwa menunggu hook-nya; peristiwa baru dibuang sampai yang menunggu berkurang</translation>
    </message>
    <message>
        <source>still running after %1 s: stopped</source>
        <translation>masih berjalan setelah %1 detik: dihentikan</translation>
    </message>
    <message>
        <source>ended by a signal</source>
        <translation>diakhiri oleh sinyal</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <translation>status keluar %1</translation>
    </message>
    <message>
        <source>hook %1 (%2): %3</source>
        <translation>hook %1 (%2): %3</translation>
    </message>
    <message>
        <source>hooks: events dropped while too many waited: %1</source>
        <translation>hooks: peristiwa yang dibuang karena terlalu banyak yang menunggu: %1</translation>
    </message>
</context>
<context>
    <name>velmora::api::HttpGateway</name>
    <message>
        <source>[Http] Listen= needs TokenFile=, the file holding the token every request must carry</source>
        <translation>[Http] Listen= memerlukan TokenFile=, berkas berisi token yang wajib dibawa setiap permintaan</translation>
    </message>
    <message>
        <source>the token file %1 does not exist</source>
        <translation>berkas token %1 tidak ada</translation>
    </message>
    <message>
        <source>the token file %1 may be read or written by others than its owner: chmod 600 it</source>
        <translation>berkas token %1 dapat dibaca atau ditulis oleh selain pemiliknya: jalankan chmod 600 padanya</translation>
    </message>
    <message>
        <source>the token file %1 cannot be read: %2</source>
        <translation>berkas token %1 tidak dapat dibaca: %2</translation>
    </message>
    <message>
        <source>the token file %1 is longer than %2 bytes</source>
        <translation>berkas token %1 lebih panjang dari %2 bita</translation>
    </message>
    <message>
        <source>the token file %1 is empty</source>
        <translation>berkas token %1 kosong</translation>
    </message>
    <message>
        <source>the request&apos;s line and headers are longer than %1 bytes</source>
        <translation>baris permintaan dan kepalanya lebih panjang dari %1 bita</translation>
    </message>
    <message>
        <source>the body is longer than %1 bytes</source>
        <translation>isi permintaan lebih panjang dari %1 bita</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time as ISO 8601 writes it (2026-12-10T08:00:00Z)</source>
        <translation>&quot;%1&quot; bukan waktu yang ditulis menurut ISO 8601 (2026-12-10T08:00:00Z)</translation>
    </message>
    <message>
        <source>HTTP: refused %1</source>
        <translation>HTTP: menolak %1</translation>
    </message>
    <message>
        <source>HTTP: refused %1 (and %2 more since the last line)</source>
        <translation>HTTP: menolak %1 (dan %2 lagi sejak baris terakhir)</translation>
    </message>
    <message>
        <source>no or wrong token</source>
        <translation>token tidak ada atau salah</translation>
    </message>
    <message>
        <source>this needs the header &quot;Authorization: Bearer TOKEN&quot; with the token of [Http] TokenFile=</source>
        <translation>ini memerlukan kepala &quot;Authorization: Bearer TOKEN&quot; dengan token dari [Http] TokenFile=</translation>
    </message>
    <message>
        <source>more requests than [Http] PerMinute= allows; try again in %1 s</source>
        <translation>permintaan melebihi yang diizinkan [Http] PerMinute=; coba lagi dalam %1 detik</translation>
    </message>
    <message>
        <source>no such path</source>
        <translation>jalur itu tidak ada</translation>
    </message>
    <message>
        <source>%1 takes only %2</source>
        <translation>%1 hanya menerima %2</translation>
    </message>
    <message>
        <source>no such message</source>
        <translation>pesan itu tidak ada</translation>
    </message>
    <message>
        <source>the body is not a JSON object</source>
        <translation>isi permintaan bukan objek JSON</translation>
    </message>
    <message>
        <source>unknown field &quot;%1&quot;</source>
        <translation>ruas &quot;%1&quot; tidak dikenal</translation>
    </message>
    <message>
        <source>&quot;to&quot; must be a list of one or more numbers</source>
        <translation>&quot;to&quot; harus berupa daftar berisi satu nomor atau lebih</translation>
    </message>
    <message>
        <source>give either &quot;text&quot; or &quot;message&quot;</source>
        <translation>berikan &quot;text&quot; atau &quot;message&quot;, salah satu saja</translation>
    </message>
    <message>
        <source>&quot;text&quot; must be a string</source>
        <translation>&quot;text&quot; harus berupa untai teks</translation>
    </message>
    <message>
        <source>&quot;message&quot; must be an object</source>
        <translation>&quot;message&quot; harus berupa objek</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a string</source>
        <translation>&quot;%1&quot; harus berupa untai teks</translation>
    </message>
    <message>
        <source>&quot;report&quot; must be true or false</source>
        <translation>&quot;report&quot; harus true atau false</translation>
    </message>
    <message>
        <source>unknown parameter &quot;%1&quot;</source>
        <translation>parameter &quot;%1&quot; tidak dikenal</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be &quot;%2&quot;</source>
        <translation>&quot;%1&quot; tidak boleh &quot;%2&quot;</translation>
    </message>
    <message>
        <source>[Http] Listen=%1 is not PORT, HOST:PORT or [ADDRESS]:PORT</source>
        <translation>[Http] Listen=%1 bukan PORT, HOST:PORT, atau [ALAMAT]:PORT</translation>
    </message>
    <message>
        <source>[Http] Listen=%1: &quot;%2&quot; is not an address</source>
        <translation>[Http] Listen=%1: &quot;%2&quot; bukan alamat</translation>
    </message>
    <message>
        <source>[Http] Listen=%1 is reachable from other machines: set AllowRemote=yes to allow it, or listen on 127.0.0.1</source>
        <translation>[Http] Listen=%1 dapat dijangkau dari mesin lain: atur AllowRemote=yes untuk mengizinkannya, atau dengarkan di 127.0.0.1</translation>
    </message>
    <message>
        <source>[Http] Listen=%1: %2</source>
        <translation>[Http] Listen=%1: %2</translation>
    </message>
    <message>
        <source>there is no WebSocket here</source>
        <translation>tidak ada WebSocket di sini</translation>
    </message>
    <message>
        <source>the request did not come whole within %1 s</source>
        <translation>permintaan tidak datang utuh dalam %1 detik</translation>
    </message>
</context>
<context>
    <name>velmora::api::Webhooks</name>
    <message>
        <source>[Webhooks] SecretFile= is needed with Url=</source>
        <translation>[Webhooks] SecretFile= diperlukan bersama Url=</translation>
    </message>
    <message>
        <source>[Webhooks] SecretFile=: %1 is not a file</source>
        <translation>[Webhooks] SecretFile=: %1 bukan berkas</translation>
    </message>
    <message>
        <source>[Webhooks] SecretFile=: %1 may be read by others (chmod 600 it)</source>
        <translation>[Webhooks] SecretFile=: %1 dapat dibaca pengguna lain (jalankan chmod 600 padanya)</translation>
    </message>
    <message>
        <source>[Webhooks] SecretFile=: %1: %2</source>
        <translation>[Webhooks] SecretFile=: %1: %2</translation>
    </message>
    <message>
        <source>[Webhooks] SecretFile=: %1 is longer than %2 bytes</source>
        <translation>[Webhooks] SecretFile=: %1 lebih panjang dari %2 bita</translation>
    </message>
    <message>
        <source>[Webhooks] SecretFile=: %1 is empty</source>
        <translation>[Webhooks] SecretFile=: %1 kosong</translation>
    </message>
    <message>
        <source>[Webhooks] SecretFile=: %1 is shorter than %2 characters</source>
        <translation>[Webhooks] SecretFile=: %1 lebih pendek dari %2 karakter</translation>
    </message>
    <message>
        <source>[Webhooks] Url=: %1 is not an http or https address</source>
        <translation>[Webhooks] Url=: %1 bukan alamat http atau https</translation>
    </message>
    <message>
        <source>webhooks: %1</source>
        <translation>webhook: %1</translation>
    </message>
    <message>
        <source>webhook: event %1 delivered at attempt %2</source>
        <translation>webhook: peristiwa %1 terkirim pada percobaan ke-%2</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>tidak ada jawaban dalam %1 detik</translation>
    </message>
    <message>
        <source>HTTP status %1</source>
        <translation>status HTTP %1</translation>
    </message>
    <message>
        <source>webhook: event %1 not delivered (attempt %2): %3; tried again in %4 min</source>
        <translation>webhook: peristiwa %1 tidak terkirim (percobaan ke-%2): %3; dicoba lagi dalam %4 menit</translation>
    </message>
    <message>
        <source>webhook: event %1 not delivered after %2 attempts: %3; given up</source>
        <translation>webhook: peristiwa %1 tidak terkirim setelah %2 percobaan: %3; dihentikan</translation>
    </message>
    <message>
        <source>webhooks: this program posts to %1 from now on</source>
        <translation>webhook: mulai sekarang program ini yang mengirim ke %1</translation>
    </message>
    <message>
        <source>webhooks: another program on the shared store posts to %1; this one takes over when it stops</source>
        <translation>webhook: program lain pada penyimpanan bersama mengirim ke %1; program ini mengambil alih saat program itu berhenti</translation>
    </message>
</context>
<context>
    <name>velmorad</name>
    <message>
        <source>the modems did not stop within %1 ms; ending anyway</source>
        <translation>modem tidak berhenti dalam %1 md; tetap diakhiri</translation>
    </message>
    <message>
        <source>modem %1 on %2</source>
        <translation>modem %1 pada %2</translation>
    </message>
    <message>
        <source>[Store] Path and [Messages] CountryCode change at the next start only</source>
        <translation>[Store] Path dan [Messages] CountryCode baru berubah pada start berikutnya</translation>
    </message>
    <message>
        <source>modem %1 closed</source>
        <translation>modem %1 ditutup</translation>
    </message>
    <message>
        <source>settings read again: modems closed %1, opened %2</source>
        <translation>pengaturan dibaca ulang: modem ditutup %1, dibuka %2</translation>
    </message>
    <message>
        <source>%1: already stopping</source>
        <translation>%1: sudah sedang berhenti</translation>
    </message>
    <message>
        <source>%1: stopping; what is being sent finishes or is marked uncertain</source>
        <translation>%1: berhenti; yang sedang dikirim diselesaikan atau ditandai tidak pasti</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>berhenti</translation>
    </message>
    <message>
        <source>running %1</source>
        <translation>menjalankan %1</translation>
    </message>
    <message>
        <source>error</source>
        <translation>galat</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>peringatan</translation>
    </message>
    <message>
        <source>notice</source>
        <translation>pemberitahuan</translation>
    </message>
    <message>
        <source>info</source>
        <translation>info</translation>
    </message>
    <message>
        <source>debug</source>
        <translation>debug</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>argumen tak terduga %1</translation>
    </message>
    <message>
        <source>not started: the settings have problems</source>
        <translation>tidak dimulai: pengaturan bermasalah</translation>
    </message>
    <message>
        <source>not started: the signals cannot be caught</source>
        <translation>tidak dimulai: sinyal tidak dapat ditangkap</translation>
    </message>
    <message>
        <source>started with the settings %1</source>
        <translation>dimulai dengan pengaturan %1</translation>
    </message>
    <message>
        <source>%1 not read again, for the problems below; the modems run as they were</source>
        <translation>%1 tidak dibaca ulang karena masalah di bawah ini; modem berjalan seperti sebelumnya</translation>
    </message>
    <message>
        <source>%1: good; modems: %2
</source>
        <translation>%1: baik; modem: %2
</translation>
    </message>
    <message>
        <source>ready again</source>
        <translation>siap kembali</translation>
    </message>
    <message>
        <source>away: its device is gone; looking for it by its IMEI</source>
        <translation>hilang: perangkatnya tidak ada; mencarinya lewat IMEI-nya</translation>
    </message>
    <message>
        <source>stuck: it stopped answering; opening it again</source>
        <translation>macet: berhenti menjawab; membukanya kembali</translation>
    </message>
    <message>
        <source>not started: %1</source>
        <translation>tidak dimulai: %1</translation>
    </message>
    <message>
        <source>a modem did not end in time: what it had on its way is uncertain</source>
        <translation>sebuah modem tidak selesai tepat waktu: yang sedang dikirimnya tidak pasti</translation>
    </message>
    <message>
        <source>modem %1: %2</source>
        <translation>modem %1: %2</translation>
    </message>
    <message>
        <source>modem %1: IMEI %2, SIM %3</source>
        <translation>modem %1: IMEI %2, SIM %3</translation>
    </message>
    <message>
        <source>none</source>
        <translation>tidak ada</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>tidak diketahui</translation>
    </message>
    <message>
        <source>message %1 on modem %2: %3</source>
        <translation>pesan %1 pada modem %2: %3</translation>
    </message>
    <message>
        <source>message %1 received on modem %2</source>
        <translation>pesan %1 diterima pada modem %2</translation>
    </message>
    <message>
        <source>usage: velmorad [--config FILE] [--check-config] [--system-bus]
       velmorad --help | --version

Runs the message centre for the modems its settings file names, on a box without a
screen: sends what is queued, reads what comes in and keeps every message in the store.
SIGHUP reads the settings again; SIGTERM stops it.

  --config FILE    the settings file (default: %1)
  --check-config   check the settings file, say each problem, and exit
  --system-bus     answer other programs as org.velmora.Velmora1 on the system bus
                   (the system&apos;s service); default: the user&apos;s session bus
  --help           show this help and exit
  --version        show the version and exit
</source>
        <translation>pemakaian: velmorad [--config FILE] [--check-config] [--system-bus]
       velmorad --help | --version

Menjalankan pusat pesan untuk modem yang disebut berkas pengaturannya, pada mesin tanpa
layar: mengirim yang antre, membaca yang masuk dan menyimpan setiap pesan di penyimpanan.
SIGHUP membaca ulang pengaturan; SIGTERM menghentikannya.

  --config FILE    berkas pengaturan (bawaan: %1)
  --check-config   periksa berkas pengaturan, sebutkan setiap masalah, lalu keluar
  --system-bus     jawab program lain sebagai org.velmora.Velmora1 di bus sistem
                   (layanan sistem); bawaan: bus sesi pengguna
  --help           tampilkan bantuan ini lalu keluar
  --version        tampilkan versi lalu keluar
</translation>
    </message>
    <message>
        <source>not started: another Velmora program answers as org.velmora.Velmora1 on the %1 bus</source>
        <translation>tidak dimulai: program Velmora lain sudah menjawab sebagai org.velmora.Velmora1 di bus %1</translation>
    </message>
    <message>
        <source>stopping: %1</source>
        <translation>berhenti: %1</translation>
    </message>
    <message>
        <source>answering as org.velmora.Velmora1 on the %1 bus</source>
        <translation>menjawab sebagai org.velmora.Velmora1 di bus %1</translation>
    </message>
    <message>
        <source>[Store] Url, PasswordFile, SslMode and LeaseSeconds change at the next start only</source>
        <translation>[Store] Url, PasswordFile, SslMode dan LeaseSeconds baru berubah pada start berikutnya</translation>
    </message>
    <message>
        <source>modem %1 not opened: %2 on the same store has a modem of that name (each box names its modems apart)</source>
        <translation>modem %1 tidak dibuka: %2 pada penyimpanan yang sama punya modem dengan nama itu (setiap mesin memberi nama modemnya sendiri-sendiri)</translation>
    </message>
</context>
</TS>
