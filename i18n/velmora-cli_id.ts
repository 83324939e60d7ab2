<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
<context>
    <name>PhonebookCommand</name>
    <message>
        <source>not agreed: there is no terminal to ask on; give --yes to agree beforehand</source>
        <translation>tidak disetujui: tidak ada terminal untuk bertanya; beri --yes untuk menyetujui lebih dulu</translation>
    </message>
    <message>
        <source>Place  Name                  Number</source>
        <translation>Tempat Nama                  Nomor</translation>
    </message>
    <message>
        <source>(cut from &quot;%1&quot;)</source>
        <translation>(dipotong dari &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>Not written:</source>
        <translation>Tidak ditulis:</translation>
    </message>
    <message>
        <source>  line %1: %2 %3: %4</source>
        <translation>  baris %1: %2 %3: %4</translation>
    </message>
    <message>
        <source>  %1</source>
        <translation>  %1</translation>
    </message>
    <message>
        <source>Nothing written (--dry-run): %1 entries would go to the SIM, %2 of them with their names cut.</source>
        <translation>Tidak ada yang ditulis (--dry-run): %1 entri akan masuk ke SIM, %2 di antaranya dengan nama dipotong.</translation>
    </message>
    <message>
        <source>nothing to write: no contact of the file fits the SIM</source>
        <translation>tidak ada yang ditulis: tidak ada kontak dari berkas yang muat di SIM</translation>
    </message>
    <message>
        <source>Write %1 entries to the SIM, %2 of them with their names cut to %3 characters?</source>
        <translation>Tulis %1 entri ke SIM, %2 di antaranya dengan nama dipotong menjadi %3 karakter?</translation>
    </message>
    <message>
        <source>Write %1 entries to the SIM?</source>
        <translation>Tulis %1 entri ke SIM?</translation>
    </message>
    <message>
        <source>%1 of %2 entries written; the SIM holds %3 of them.</source>
        <translation>%1 dari %2 entri ditulis; SIM menyimpan %3 di antaranya.</translation>
    </message>
    <message>
        <source>  --add NAME NUMBER     write a new entry at the first free place
  --set INDEX NAME NUMBER  write the entry at place INDEX; a filled place is
                        written over only once agreed
  --delete INDEX        empty place INDEX, once agreed
  --import FILE         write the contacts of a vCard (2.1, 3.0) or CSV file
                        (name, number) to the free places, once agreed; a
                        contact with several numbers gives one entry each,
                        names longer than the SIM holds are cut
  --dry-run             with --import: show where each contact would go,
                        which names are cut and which do not fit; write
                        nothing
  --yes                 agree beforehand; without it the command asks on the
                        terminal, and with no terminal refuses
Writing uses the fast dialogue. NUMBER is kept as typed, with its +; NAME is
refused when it holds characters the SIM cannot, or is longer than the SIM
holds. Exit status 0 when written, 1 when refused, not agreed or not written,
2 for a usage error, 3 when the phone could not be reached.
</source>
        <translation>  --add NAME NUMBER     tulis entri baru di tempat kosong pertama
  --set INDEX NAME NUMBER  tulis entri di tempat INDEX; tempat yang terisi
                        hanya ditimpa setelah disetujui
  --delete INDEX        kosongkan tempat INDEX, setelah disetujui
  --import FILE         tulis kontak dari berkas vCard (2.1, 3.0) atau CSV
                        (nama, nomor) ke tempat kosong, setelah disetujui;
                        kontak dengan beberapa nomor menjadi satu entri per
                        nomor, nama yang lebih panjang dari batas SIM dipotong
  --dry-run             dengan --import: tampilkan ke mana tiap kontak masuk,
                        nama mana yang dipotong dan mana yang tidak muat;
                        tidak menulis apa pun
  --yes                 setujui lebih dulu; tanpa ini perintah bertanya di
                        terminal, dan menolak jika tidak ada terminal
Penulisan memakai dialog cepat. NUMBER disimpan seperti diketik, dengan +-nya;
NAME ditolak jika memuat karakter yang tidak bisa disimpan SIM, atau lebih
panjang dari batas SIM. Status keluar 0 jika tertulis, 1 jika ditolak, tidak
disetujui atau tidak tertulis, 2 untuk kesalahan pemakaian, 3 jika ponsel
tidak bisa dijangkau.
</translation>
    </message>
    <message>
        <source>give one of --add, --set, --delete and --import</source>
        <translation>beri salah satu dari --add, --set, --delete dan --import</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 perlu nilai</translation>
    </message>
    <message>
        <source>--delete needs the place&apos;s number, not &quot;%1&quot;</source>
        <translation>--delete perlu nomor tempat, bukan &quot;%1&quot;</translation>
    </message>
    <message>
        <source>unexpected &quot;%1&quot;</source>
        <translation>&quot;%1&quot; tidak diharapkan</translation>
    </message>
    <message>
        <source>--add needs NAME and NUMBER</source>
        <translation>--add perlu NAME dan NUMBER</translation>
    </message>
    <message>
        <source>--set needs INDEX, NAME and NUMBER</source>
        <translation>--set perlu INDEX, NAME dan NUMBER</translation>
    </message>
    <message>
        <source>--dry-run goes with --import</source>
        <translation>--dry-run dipakai bersama --import</translation>
    </message>
    <message>
        <source>--set needs the place&apos;s number, not &quot;%1&quot;</source>
        <translation>--set perlu nomor tempat, bukan &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The SIM&apos;s phone book is full (%1 places); nothing was written.</source>
        <translation>Buku telepon SIM penuh (%1 tempat); tidak ada yang ditulis.</translation>
    </message>
    <message>
        <source>Place %1 holds %2. Write &quot;%3&quot; over it?</source>
        <translation>Tempat %1 berisi %2. Timpa dengan &quot;%3&quot;?</translation>
    </message>
    <message>
        <source>Delete place %1, %2, from the SIM?</source>
        <translation>Hapus tempat %1, %2, dari SIM?</translation>
    </message>
    <message>
        <source>Place %1 deleted.</source>
        <translation>Tempat %1 dihapus.</translation>
    </message>
    <message>
        <source>Written to place %1.</source>
        <translation>Ditulis ke tempat %1.</translation>
    </message>
</context>
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
        <translation>  --device PATH         perangkat port untuk kali ini
  --device COMn=PATH    perangkat COMn untuk kali ini (boleh berulang)
  --port N              port COMn yang dipakai (bawaan: dari berkas pengaturan)
  --baud RATE           kecepatan jalur (bawaan: dari berkas pengaturan)
  --fast                dialog cepat: setiap perintah selesai begitu ponsel
                        menjawab (bawaan: Dialogue di berkas pengaturan)
  --pin PIN             PIN SIM, bila diminta (dialog cepat); jika tidak
                        diberikan, PIN ditanyakan sekali di terminal
</translation>
    </message>
    <message>
        <source>  --store PATH          the message store to record in (default: messages.sqlite
                        beside the logs, or the settings file&apos;s [Messages] Store=)
</source>
        <translation>  --store PATH          penyimpanan pesan untuk mencatat (bawaan: messages.sqlite
                        di samping log, atau [Messages] Store= di berkas pengaturan)
</translation>
    </message>
    <message>
        <source>the phone answered: %1</source>
        <translation>ponsel menjawab: %1</translation>
    </message>
    <message>
        <source>SIM PIN%1: </source>
        <translation>PIN SIM%1: </translation>
    </message>
    <message>
        <source>%1:%2: not imported: %3</source>
        <translation>%1:%2: tidak diimpor: %3</translation>
    </message>
    <message>
        <source>print the PDU text of a message</source>
        <translation>cetak teks PDU sebuah pesan</translation>
    </message>
    <message>
        <source>print the content a file loads into a tab</source>
        <translation>cetak isi yang dimuat sebuah berkas ke tab</translation>
    </message>
    <message>
        <source>draw the screen preview of a picture file</source>
        <translation>gambar pratinjau layar dari berkas gambar</translation>
    </message>
    <message>
        <source>read PDUs back into the messages they carry</source>
        <translation>baca kembali PDU menjadi pesan yang dibawanya</translation>
    </message>
    <message>
        <source>play a ringtone, or write it as a WAV file</source>
        <translation>putar nada dering, atau tulis sebagai berkas WAV</translation>
    </message>
    <message>
        <source>send a message through the phone</source>
        <translation>kirim pesan lewat ponsel</translation>
    </message>
    <message>
        <source>print what the phone says about itself</source>
        <translation>cetak keterangan ponsel tentang dirinya</translation>
    </message>
    <message>
        <source>read the SIM&apos;s phone book</source>
        <translation>baca buku telepon SIM</translation>
    </message>
    <message>
        <source>read the messages kept on the phone and the SIM</source>
        <translation>baca pesan yang tersimpan di ponsel dan SIM</translation>
    </message>
    <message>
        <source>ask each serial device whether the phone is there</source>
        <translation>tanya setiap perangkat serial apakah ponsel ada di sana</translation>
    </message>
    <message>
        <source>list the messages sent and received</source>
        <translation>daftar pesan terkirim dan diterima</translation>
    </message>
    <message>
        <source>the outbox: list, pause, resume, cancel or run batches</source>
        <translation>kotak keluar: daftar, jeda, lanjutkan, batalkan atau jalankan kiriman massal</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>dihentikan</translation>
    </message>
    <message>
        <source>usage: velmora-cli COMMAND [ARGS...]
       velmora-cli COMMAND --help
       velmora-cli --help | --version

Builds the PDUs of short messages and sends them through a GSM phone or USB modem.

commands:
</source>
        <translation>pemakaian: velmora-cli COMMAND [ARGS...]
           velmora-cli COMMAND --help
           velmora-cli --help | --version

Menyusun PDU pesan singkat dan mengirimnya lewat ponsel GSM atau modem USB.

perintah:
</translation>
    </message>
    <message>
        <source>  --help      show this help and exit
  --version   show the version and exit
</source>
        <translation>  --help      tampilkan bantuan ini lalu keluar
  --version   tampilkan versi lalu keluar
</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>perintah tidak dikenal &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 perlu nilai</translation>
    </message>
    <message>
        <source>--port must be a number from 1 to 96</source>
        <translation>--port harus angka dari 1 sampai 96</translation>
    </message>
    <message>
        <source>--baud must be a line speed in bit/s</source>
        <translation>--baud harus kecepatan jalur dalam bit/s</translation>
    </message>
    <message>
        <source>send a USSD code (the balance: *123#) and read the answer</source>
        <translation>kirim kode USSD (cek pulsa: *123#) dan baca jawabannya</translation>
    </message>
    <message>
        <source>check the message store, or copy it while in use</source>
        <translation>periksa penyimpanan pesan, atau salin selagi dipakai</translation>
    </message>
    <message>
        <source>send a failed or uncertain message again</source>
        <translation>kirim ulang pesan yang gagal atau tidak pasti</translation>
    </message>
    <message>
        <source>list and change the groups &quot;send --to&quot; sends to</source>
        <translation>daftar dan ubah grup yang dituju &quot;send --to&quot;</translation>
    </message>
    <message>
        <source>[y/N]</source>
        <translation>[y/T]</translation>
    </message>
    <message>
        <source>y</source>
        <translation>y</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ya</translation>
    </message>
    <message>
        <source>list the modems the message store knows and what waits for each</source>
        <translation>daftar modem yang dikenal penyimpanan pesan dan apa yang menunggu tiap modem</translation>
    </message>
    <message>
        <source>  --direct              open the port even when a running Velmora program (velmorad,
                        the window) holds it; else the command goes through that
                        program over D-Bus and says so on stderr
</source>
        <translation>  --direct              buka port meskipun program Velmora yang sedang berjalan
                        (velmorad, jendela) memegangnya; jika tidak, perintah
                        lewat program itu melalui D-Bus dan menyebutkannya di stderr
</translation>
    </message>
    <message>
        <source>With a Velmora program running (velmorad, the window), the command works on its
store and its queue, through it, unless --store names another or --direct is
given; its store is read where this user may read it.
</source>
        <translation>Bila program Velmora sedang berjalan (velmorad, jendela), perintah bekerja pada
penyimpanan dan antreannya, lewat program itu, kecuali --store menyebut yang lain
atau --direct diberikan; penyimpanannya dibaca bila pengguna ini boleh membacanya.
</translation>
    </message>
    <message>
        <source>through the running Velmora program (D-Bus, %1 bus)</source>
        <translation>lewat program Velmora yang sedang berjalan (D-Bus, bus %1)</translation>
    </message>
    <message>
        <source>not through the running Velmora program: %1; working alone</source>
        <translation>tidak lewat program Velmora yang sedang berjalan: %1; bekerja sendiri</translation>
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
        <translation>pemakaian: velmora-cli content FILE --as logo|group|picture|ringtone|ems [--threshold N] [--dither]
           velmora-cli preview FILE --as logo|group|picture [--threshold N] [--dither]

content mencetak isi heksadesimal yang akan dimuat tab (untuk nada dering setelah
baris &quot;Title = &quot; dan &quot;Tempo = &quot;, untuk ems tag gambarnya); preview mencetak layar
72 x 28 sebagai 28 baris, &quot;#&quot; hitam dan &quot;.&quot; putih.
Berkas dibaca seperti tab itu membacanya: nama berkas yang memuat BMP adalah
bitmap, NOL (logo) atau NGG (grup) berkas logo, selain itu berkas isi; folder di
atas berkas tidak dihitung.
Gambar lain (PNG, JPEG, GIF, BMP kedalaman apa pun, SVG) diperkecil agar muat di
tab (72 x 14, 72 x 28 untuk gambar, paling besar 32 x 32 untuk ems) dengan
perbandingan tetap, di tengah latar putih, lalu dijadikan hitam putih:
  --threshold N  tingkat abu-abu di bawah N (0-255, bawaan 128) menjadi hitam
  --dither       sebar galat tiap piksel ke tetangganya (Floyd-Steinberg)
</translation>
    </message>
    <message>
        <source>%1: unknown option %2</source>
        <translation>%1: opsi tidak dikenal %2</translation>
    </message>
    <message>
        <source>%1: %2 needs a value</source>
        <translation>%1: %2 perlu nilai</translation>
    </message>
    <message>
        <source>%1: expected one FILE, got %2</source>
        <translation>%1: diharapkan satu FILE, ada %2</translation>
    </message>
    <message>
        <source>%1: --as is required</source>
        <translation>%1: --as wajib diisi</translation>
    </message>
    <message>
        <source>%1: --as must be logo, group, picture, ringtone or ems, not &quot;%2&quot;</source>
        <translation>%1: --as harus logo, group, picture, ringtone atau ems, bukan &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: --as must be logo, group or picture, not &quot;%2&quot;</source>
        <translation>%1: --as harus logo, group atau picture, bukan &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: --threshold must be 0 to 255, not &quot;%2&quot;</source>
        <translation>%1: --threshold harus 0 sampai 255, bukan &quot;%2&quot;</translation>
    </message>
    <message>
        <source>no %1 content comes from a file</source>
        <translation>isi %1 tidak bisa diambil dari berkas</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no content</source>
        <translation>&quot;%1&quot; tidak berisi apa pun</translation>
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
        <translation>pemakaian: velmora-cli decode [--json] [--no-smsc] [PDU...]

Membaca setiap PDU (heksadesimal, seperti yang didaftar ponsel atau dicetak
&quot;pdu&quot;) lalu mencetak pesannya dengan kata-kata biasa, atau dengan --json satu
objek JSON per baris. Tanpa PDU, membaca satu per baris dari masukan standar;
baris kosong dan baris yang diawali &quot;#&quot; dilewati. Bagian-bagian pesan panjang
digabungkan.

  --json      satu objek JSON per pesan
  --no-smsc   PDU dimulai dari oktet pertamanya, tanpa bagian pusat layanan
              yang ditaruh ponsel di depannya

Status keluar: 0 bila setiap PDU terbaca, 1 bila ada yang ditolak (barisnya
menyebut alasannya), 2 untuk pemakaian yang salah.
</translation>
    </message>
    <message>
        <source>type</source>
        <translation>tipe</translation>
    </message>
    <message>
        <source>from</source>
        <translation>dari</translation>
    </message>
    <message>
        <source>to</source>
        <translation>kepada</translation>
    </message>
    <message>
        <source>recipient</source>
        <translation>penerima</translation>
    </message>
    <message>
        <source>service centre</source>
        <translation>pusat layanan</translation>
    </message>
    <message>
        <source>received by the centre</source>
        <translation>diterima pusat</translation>
    </message>
    <message>
        <source>time</source>
        <translation>waktu</translation>
    </message>
    <message>
        <source>reference</source>
        <translation>referensi</translation>
    </message>
    <message>
        <source>status</source>
        <translation>status</translation>
    </message>
    <message>
        <source>discharged</source>
        <translation>diselesaikan</translation>
    </message>
    <message>
        <source>, blinking</source>
        <translation>, berkedip</translation>
    </message>
    <message>
        <source> for MCC %1, NC %2</source>
        <translation> untuk MCC %1, NC %2</translation>
    </message>
    <message>
        <source>: %1 active</source>
        <translation>: %1 aktif</translation>
    </message>
    <message>
        <source>: %1 inactive</source>
        <translation>: %1 tidak aktif</translation>
    </message>
    <message>
        <source>, %1 waiting</source>
        <translation>, %1 menunggu</translation>
    </message>
    <message>
        <source>, port %1</source>
        <translation>, port %1</translation>
    </message>
    <message>
        <source>kind</source>
        <translation>jenis</translation>
    </message>
    <message>
        <source>coding</source>
        <translation>pengodean</translation>
    </message>
    <message>
        <source>valid for</source>
        <translation>berlaku</translation>
    </message>
    <message>
        <source>%1 parts, reference %2</source>
        <translation>%1 bagian, referensi %2</translation>
    </message>
    <message>
        <source>; missing %1</source>
        <translation>; hilang %1</translation>
    </message>
    <message>
        <source>parts</source>
        <translation>bagian</translation>
    </message>
    <message>
        <source>truncated</source>
        <translation>terpotong</translation>
    </message>
    <message>
        <source>the user data ends before its stated length</source>
        <translation>data pengguna berakhir sebelum panjang yang disebutkan</translation>
    </message>
    <message>
        <source>text</source>
        <translation>teks</translation>
    </message>
    <message>
        <source>content</source>
        <translation>isi</translation>
    </message>
    <message>
        <source>data</source>
        <translation>data</translation>
    </message>
    <message>
        <source>bitmap: %1 x %2</source>
        <translation>bitmap: %1 x %2</translation>
    </message>
    <message>
        <source>message %1</source>
        <translation>pesan %1</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>ditolak: %1</translation>
    </message>
    <message>
        <source>decode: unknown option %1</source>
        <translation>decode: opsi tidak dikenal %1</translation>
    </message>
    <message>
        <source>compressed, which Velmora does not read</source>
        <translation>terkompresi, yang tidak dibaca Velmora</translation>
    </message>
    <message>
        <source>octets</source>
        <translation>oktet</translation>
    </message>
</context>
<context>
    <name>group</name>
    <message>
        <source>usage: velmora-cli group list [--store PATH]
       velmora-cli group show NAME [--store PATH]
       velmora-cli group add NAME NUMBER [MEMBER NAME] [--store PATH]
       velmora-cli group remove NAME NUMBER|MEMBER [--store PATH]
       velmora-cli group import NAME FILE.csv [--number-column COLUMN] [--store PATH]
       velmora-cli group delete NAME [--store PATH]

The groups &quot;send --to NAME&quot; sends to, the same the window&apos;s Groups dialog keeps.
A number is read as &quot;send&quot; reads it: +62 812-345-6789, 0812..., 0062... and
62812... are one member.
  list      every group with how many members it has
  show      a group&apos;s members
  add       a member, making the group when there is none of that name
  remove    the member with that number, or with that name
  import    the members of a contacts file (as &quot;send --to-file&quot; reads it),
            added to the group, made when there is none
  delete    the group; its messages sent stay in the history
Exit status 0 when done, 1 when refused or a member was left out (named on
stderr), 2 for a usage error.
</source>
        <translation>pemakaian: velmora-cli group list [--store PATH]
           velmora-cli group show NAME [--store PATH]
           velmora-cli group add NAME NUMBER [MEMBER NAME] [--store PATH]
           velmora-cli group remove NAME NUMBER|MEMBER [--store PATH]
           velmora-cli group import NAME FILE.csv [--number-column COLUMN] [--store PATH]
           velmora-cli group delete NAME [--store PATH]

Grup yang dituju &quot;send --to NAME&quot;, sama dengan yang disimpan dialog Grup di jendela.
Nomor dibaca seperti &quot;send&quot; membacanya: +62 812-345-6789, 0812..., 0062... dan
62812... adalah satu anggota.
  list      setiap grup beserta jumlah anggotanya
  show      anggota sebuah grup
  add       tambah anggota; grupnya dibuat bila belum ada yang bernama itu
  remove    hapus anggota dengan nomor itu, atau dengan nama itu
  import    anggota dari berkas kontak (dibaca seperti &quot;send --to-file&quot;),
            ditambahkan ke grup; grupnya dibuat bila belum ada
  delete    hapus grup; pesan yang sudah dikirim tetap di riwayat
Status keluar 0 bila selesai, 1 bila ditolak atau ada anggota yang terlewat
(disebut di stderr), 2 untuk kesalahan pemakaian.
</translation>
    </message>
    <message>
        <source>group: unknown &quot;%1&quot;: list, show, add, remove, import or delete</source>
        <translation>group: &quot;%1&quot; tidak dikenal: list, show, add, remove, import atau delete</translation>
    </message>
    <message>
        <source>group %1: unknown option %2</source>
        <translation>group %1: opsi %2 tidak dikenal</translation>
    </message>
    <message>
        <source>group %1: %2 needs a value</source>
        <translation>group %1: %2 perlu nilai</translation>
    </message>
    <message>
        <source>group: --number-column goes with import</source>
        <translation>group: --number-column hanya untuk import</translation>
    </message>
    <message>
        <source>group %1: wrong number of words</source>
        <translation>group %1: jumlah kata tidak sesuai</translation>
    </message>
    <message>
        <source>There are no groups</source>
        <translation>Belum ada grup</translation>
    </message>
    <message>
        <source>%1 member</source>
        <translation>%1 anggota</translation>
    </message>
    <message>
        <source>%1 members</source>
        <translation>%1 anggota</translation>
    </message>
    <message>
        <source>there is no group &quot;%1&quot;</source>
        <translation>tidak ada grup &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Group &quot;%1&quot; deleted</source>
        <translation>Grup &quot;%1&quot; dihapus</translation>
    </message>
    <message>
        <source>already in the group</source>
        <translation>sudah ada di grup</translation>
    </message>
    <message>
        <source>once only: %1: %2</source>
        <translation>cukup sekali: %1: %2</translation>
    </message>
    <message>
        <source>left out: %1: %2</source>
        <translation>terlewat: %1: %2</translation>
    </message>
    <message>
        <source>the group &quot;%1&quot; has no member %2</source>
        <translation>grup &quot;%1&quot; tidak punya anggota %2</translation>
    </message>
    <message>
        <source>Group &quot;%1&quot;: %2 member</source>
        <translation>Grup &quot;%1&quot;: %2 anggota</translation>
    </message>
    <message>
        <source>Group &quot;%1&quot;: %2 members</source>
        <translation>Grup &quot;%1&quot;: %2 anggota</translation>
    </message>
</context>
<context>
    <name>history</name>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation>opsi tidak dikenal &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 perlu nilai</translation>
    </message>
    <message>
        <source>unexpected &quot;%1&quot;</source>
        <translation>tidak diharapkan: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--number needs a number</source>
        <translation>--number perlu sebuah nomor</translation>
    </message>
    <message>
        <source>--state must be one of %1, not &quot;%2&quot;</source>
        <translation>--state harus salah satu dari %1, bukan &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--direction must be in or out, not &quot;%1&quot;</source>
        <translation>--direction harus in atau out, bukan &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--limit must be a whole number of at least 1, not &quot;%1&quot;</source>
        <translation>--limit harus bilangan bulat minimal 1, bukan &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no messages yet: %1 holds none</source>
        <translation>belum ada pesan: %1 belum berisi pesan</translation>
    </message>
    <message>
        <source>no messages yet</source>
        <translation>belum ada pesan</translation>
    </message>
    <message>
        <source>no messages match</source>
        <translation>tidak ada pesan yang cocok</translation>
    </message>
    <message>
        <source>usage: velmora-cli history [--json|--csv] [--number N] [--search TEXT] [--state STATE]
                           [--direction in|out] [--limit N] [--store PATH]
       velmora-cli history --delete-before DATE [--yes] [--store PATH]

Prints the messages sent and received that the message store keeps, newest
first, one a line: the time, &quot;out&quot; or &quot;in&quot;, the number and its name, the
state and the start of the text. Nothing is sent and no phone is needed.

  --json          a JSON array, one object a message, with its parts
  --csv           CSV with a header row: id, time, direction, number, name,
                  state, reason, text
  --number N      only the conversation with N (written in any of its forms)
  --search TEXT   only messages whose text, name or number holds TEXT, any case
  --state STATE   queued, sending, sent, delivered, not-delivered, failed,
                  uncertain, received or cancelled
  --direction D   out (sent) or in (received)
  --limit N       at most N messages, the newest (on a terminal 50 unless given)
  --store PATH    the store to read instead of the one the settings name
  --delete-before DATE  deletes for good the messages from before DATE
                  (yyyy-mm-dd), except those still queued or sending; asks
                  first on a terminal, else needs --yes

Exit status: 0 when the messages were printed (or there are none yet), 1 when
the store could not be read, 2 for wrong usage.
</source>
        <translation>pemakaian: velmora-cli history [--json|--csv] [--number N] [--search TEXT] [--state STATE]
                           [--direction in|out] [--limit N] [--store PATH]
           velmora-cli history --delete-before DATE [--yes] [--store PATH]

Mencetak pesan terkirim dan diterima yang disimpan di penyimpanan pesan, yang
terbaru dulu, satu per baris: waktu, &quot;out&quot; atau &quot;in&quot;, nomor dan namanya, status
dan awal teksnya. Tidak ada yang dikirim dan ponsel tidak diperlukan.

  --json          larik JSON, satu objek per pesan, beserta bagian-bagiannya
  --csv           CSV dengan baris judul: id, time, direction, number, name,
                  state, reason, text
  --number N      hanya percakapan dengan N (ditulis dalam bentuk apa pun)
  --search TEXT   hanya pesan yang teks, nama atau nomornya memuat TEXT, huruf
                  besar atau kecil sama saja
  --state STATE   queued, sending, sent, delivered, not-delivered, failed,
                  uncertain, received atau cancelled
  --direction D   out (terkirim) atau in (diterima)
  --limit N       paling banyak N pesan, yang terbaru (di terminal 50 bila tidak
                  diberikan)
  --store PATH    penyimpanan yang dibaca, bukan yang disebut pengaturan
  --delete-before DATE  menghapus permanen pesan dari sebelum DATE (yyyy-mm-dd),
                  kecuali yang masih antre atau sedang dikirim; bertanya dulu
                  di terminal, selain itu perlu --yes

Status keluar: 0 bila pesan tercetak (atau belum ada pesan), 1 bila penyimpanan
tidak bisa dibaca, 2 untuk pemakaian yang salah.
</translation>
    </message>
    <message>
        <source>--json and --csv do not go together</source>
        <translation>--json dan --csv tidak bisa dipakai bersama</translation>
    </message>
    <message>
        <source>--delete-before needs a date as yyyy-mm-dd, not &quot;%1&quot;</source>
        <translation>--delete-before perlu tanggal berbentuk yyyy-mm-dd, bukan &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--delete-before goes with --yes and --store only, not --%1</source>
        <translation>--delete-before hanya dipakai bersama --yes dan --store, bukan --%1</translation>
    </message>
    <message>
        <source>--yes goes with --delete-before</source>
        <translation>--yes dipakai bersama --delete-before</translation>
    </message>
    <message>
        <source>not deleted: there is no terminal to ask on; give --yes to agree beforehand</source>
        <translation>tidak dihapus: tidak ada terminal untuk bertanya; beri --yes untuk menyetujui lebih dulu</translation>
    </message>
    <message>
        <source>No message from before %1 to delete</source>
        <translation>Tidak ada pesan dari sebelum %1 untuk dihapus</translation>
    </message>
    <message>
        <source>Delete %1 messages from before %2 for good?</source>
        <translation>Hapus permanen %1 pesan dari sebelum %2?</translation>
    </message>
    <message>
        <source>Deleted %1 messages from before %2</source>
        <translation>%1 pesan dari sebelum %2 dihapus</translation>
    </message>
    <message>
        <source>The newest %1 messages are shown; --limit N shows more, and a pipe or a file gets them all</source>
        <translation>Yang ditampilkan %1 pesan terbaru; --limit N menampilkan lebih banyak, dan pipa atau berkas menerima semuanya</translation>
    </message>
</context>
<context>
    <name>identify</name>
    <message>
        <source>usage: velmora-cli identify [LINK OPTIONS]
Connects and prints what the phone says about itself. On a terminal, control
characters and bytes that are not UTF-8 are shown as \xNN and a backslash as \\.
</source>
        <translation>pemakaian: velmora-cli identify [LINK OPTIONS]
Menyambung lalu mencetak keterangan ponsel tentang dirinya. Di terminal, karakter
kendali dan bita yang bukan UTF-8 ditampilkan sebagai \xNN dan garis miring
terbalik sebagai \\.
</translation>
    </message>
    <message>
        <source>identify: unexpected &quot;%1&quot;</source>
        <translation>identify: tidak diharapkan: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Manufacturer: %1
Model: %2
Revision: %3
IMSI: %4
Service Centre: %5</source>
        <translation>Produsen: %1
Model: %2
Revisi: %3
IMSI: %4
Pusat Layanan: %5</translation>
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
        <translation>pemakaian: velmora-cli inbox [LINK OPTIONS] [--json] [--delete INDEX...]
Membaca semua pesan yang tersimpan di ponsel dan di SIM, menggabungkan bagian
pesan panjang dan mencetaknya seperti decode, yang terlama dulu, masing-masing
diawali tempat ponsel menyimpannya (&quot;SM:3&quot; adalah indeks 3 di SIM, &quot;ME:3&quot; di
ponsel).

  --json            satu objek JSON per pesan, tempatnya di &quot;index&quot;
  --delete INDEX... setelah membaca, hapus setiap pesan yang disebut (&quot;SM:3&quot;,
                    atau &quot;3&quot; bila hanya satu penyimpanan punya indeks itu),
                    setelah ponsel menunjukkan pesan yang dibaca masih ada;
                    pesan panjang disebut dengan salah satu bagiannya dan
                    dihapus utuh. Membaca tidak pernah menghapus.

Penyimpanan atau pesan yang tidak mau diberikan ponsel disebut di stderr.

Status keluar: 0 bila setiap pesan terbaca (dan terhapus), 1 bila penyimpanan
atau pesan tidak bisa dibaca atau ada yang tidak terhapus, 2 untuk pemakaian
yang salah, 3 bila ponsel tidak terjangkau.
</translation>
    </message>
    <message>
        <source>not a message index</source>
        <translation>bukan indeks pesan</translation>
    </message>
    <message>
        <source>index %1 is in more than one store; name it as SM:%1 or ME:%1</source>
        <translation>indeks %1 ada di lebih dari satu penyimpanan; sebut sebagai SM:%1 atau ME:%1</translation>
    </message>
    <message>
        <source>the phone keeps no message there</source>
        <translation>ponsel tidak menyimpan pesan di sana</translation>
    </message>
    <message>
        <source>inbox: --delete needs at least one index</source>
        <translation>inbox: --delete perlu paling sedikit satu indeks</translation>
    </message>
    <message>
        <source>inbox: unexpected &quot;%1&quot;</source>
        <translation>inbox: tidak diharapkan: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the messages read are not kept: %1</source>
        <translation>pesan yang dibaca tidak disimpan: %1</translation>
    </message>
    <message>
        <source>no messages on the phone</source>
        <translation>tidak ada pesan di ponsel</translation>
    </message>
    <message>
        <source>no messages read from the phone</source>
        <translation>tidak ada pesan yang terbaca dari ponsel</translation>
    </message>
    <message>
        <source>the message store could not keep it first</source>
        <translation>penyimpanan pesan tidak bisa menyimpannya lebih dulu</translation>
    </message>
    <message>
        <source>%1 deleted, </source>
        <translation>%1 terhapus, </translation>
    </message>
    <message>
        <source>%1 not deleted: %2</source>
        <translation>%1 tidak terhapus: %2</translation>
    </message>
    <message>
        <source>deleted %1</source>
        <translation>terhapus %1</translation>
    </message>
    <message>
        <source>the message store has no record of it yet</source>
        <translation>penyimpanan pesan belum mempunyai catatannya</translation>
    </message>
</context>
<context>
    <name>modems</name>
    <message>
        <source>usage: velmora-cli modems [--json] [--store PATH]
The modems the message store knows, a line each: its name, the device it was
last opened on, its IMEI, its network, its signal (of 31), its state (ready,
busy, away: no device, stuck: not answering), how many queued messages it could
take and when it was last seen. The modem of the window and of velmora-cli has
no name.
  --json                the same as a JSON array, for a program
Exit status 0, also when no modem is known; 1 when the store cannot be read.
</source>
        <translation>pemakaian: velmora-cli modems [--json] [--store PATH]
Modem yang dikenal penyimpanan pesan, satu baris per modem: namanya, perangkat
terakhir tempat ia dibuka, IMEI-nya, jaringannya, sinyalnya (dari 31),
keadaannya (siap, sibuk, hilang: tidak ada perangkat, macet: tidak menjawab),
berapa pesan dalam antrean yang bisa diambilnya dan kapan terakhir terlihat.
Modem jendela dan velmora-cli tidak bernama.
  --json                sama, sebagai larik JSON, untuk program lain
Status keluar 0, juga bila tidak ada modem yang dikenal; 1 bila penyimpanan
tidak bisa dibaca.
</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>siap</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>sibuk</translation>
    </message>
    <message>
        <source>away</source>
        <translation>hilang</translation>
    </message>
    <message>
        <source>stuck</source>
        <translation>macet</translation>
    </message>
    <message>
        <source>modems: unknown option %1</source>
        <translation>modems: opsi tidak dikenal %1</translation>
    </message>
    <message>
        <source>modems: %1 needs a value</source>
        <translation>modems: %1 perlu nilai</translation>
    </message>
    <message>
        <source>modems: unexpected &quot;%1&quot;</source>
        <translation>modems: &quot;%1&quot; tidak diharapkan</translation>
    </message>
    <message>
        <source>No modem is known yet</source>
        <translation>Belum ada modem yang dikenal</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAMA</translation>
    </message>
    <message>
        <source>DEVICE</source>
        <translation>PERANGKAT</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>NETWORK</source>
        <translation>JARINGAN</translation>
    </message>
    <message>
        <source>SIGNAL</source>
        <translation>SINYAL</translation>
    </message>
    <message>
        <source>STATE</source>
        <translation>KEADAAN</translation>
    </message>
    <message>
        <source>QUEUED</source>
        <translation>ANTREAN</translation>
    </message>
    <message>
        <source>LAST SEEN</source>
        <translation>TERAKHIR TERLIHAT</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>(tanpa nama)</translation>
    </message>
</context>
<context>
    <name>pdu</name>
    <message>
        <source>pdu %1: unknown option %2</source>
        <translation>pdu %1: opsi tidak dikenal %2</translation>
    </message>
    <message>
        <source>pdu %1: %2 needs a value</source>
        <translation>pdu %1: %2 perlu nilai</translation>
    </message>
    <message>
        <source>pdu %1: expected %2 argument, got %3</source>
        <translation>pdu %1: diharapkan %2 argumen, ada %3</translation>
    </message>
    <message>
        <source>pdu %1: expected %2 arguments, got %3</source>
        <translation>pdu %1: diharapkan %2 argumen, ada %3</translation>
    </message>
    <message>
        <source>; the first %1 of the tune&apos;s %2 notes fit one message (--cut sends those)</source>
        <translation>; %1 nada pertama dari %2 nada lagu ini muat dalam satu pesan (--cut mengirim yang itu)</translation>
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
        <translation>pemakaian: velmora-cli pdu text [--flash] [--blink] [--long] [--unicode] NUMBER TEXT
           velmora-cli pdu logo --mcc MCC --nc NC NUMBER (HEX | --file PATH)
           velmora-cli pdu group NUMBER (HEX | --file PATH)
           velmora-cli pdu picture NUMBER (HEX | --file PATH)   (tiga bagian, satu per baris)
           velmora-cli pdu ringtone NUMBER (HEX | --file PATH [--cut])
           velmora-cli pdu ems NUMBER TAGGED_TEXT
           velmora-cli pdu ems NUMBER --picture BMP [TEXT]
           velmora-cli pdu void NUMBER
           velmora-cli pdu indicator --kind voicemail|fax|email (--active|--inactive) NUMBER

NUMBER: tanda &quot;+&quot; dibuang dan 0 di depan menjadi 62; lalu 1 sampai 20 angka.
HEX: isi sebagai angka heksadesimal; huruf besar kecil dan spasi tidak berpengaruh.
PATH: berkas yang dibaca seperti tab membacanya (BMP, NOL, NGG atau berkas isi;
teks RTTTL untuk nada dering). --picture menaruh tag gambar EMS dari BMP di depan
TEXT.
--cut (nada dering dari berkas): lagu yang terlalu panjang untuk satu pesan
dipotong setelah nada terakhir yang muat; tanpa opsi ini lagu seperti itu ditolak.
--long (text): teks yang terlalu panjang untuk satu pesan dikirim sebagai bagian
bersambung, satu PDU per baris (paling banyak 255 bagian berisi 153 karakter GSM,
atau 67 unit UTF-16 dalam Unicode). --unicode (text): teks dikirim sebagai UCS2,
yang memuat karakter apa pun (70 unit UTF-16 dalam satu pesan). Keduanya: GSM
7-bit bila setiap karakter punya bentuk GSM, selain itu UCS2. Pesan flash adalah
satu pesan UCS2 dan tidak menerima keduanya.
TEXT dan TAGGED_TEXT dalam UTF-8.
</translation>
    </message>
    <message>
        <source>pdu: which kind of message?</source>
        <translation>pdu: pesan jenis apa?</translation>
    </message>
    <message>
        <source>pdu: unknown kind &quot;%1&quot;</source>
        <translation>pdu: jenis tidak dikenal &quot;%1&quot;</translation>
    </message>
    <message>
        <source>pdu text: a flash message is one UCS2 message; --flash takes neither --long nor --unicode</source>
        <translation>pdu text: pesan flash adalah satu pesan UCS2; --flash tidak bisa dengan --long maupun --unicode</translation>
    </message>
    <message>
        <source>pdu ringtone: --cut needs the tune as RTTTL text: give it with --file PATH</source>
        <translation>pdu ringtone: --cut perlu lagu sebagai teks RTTTL: berikan dengan --file PATH</translation>
    </message>
    <message>
        <source>pdu logo: --mcc and --nc are required</source>
        <translation>pdu logo: --mcc dan --nc wajib diisi</translation>
    </message>
    <message>
        <source>pdu indicator: --kind voicemail|fax|email is required</source>
        <translation>pdu indicator: --kind voicemail|fax|email wajib diisi</translation>
    </message>
    <message>
        <source>pdu indicator: give exactly one of --active and --inactive</source>
        <translation>pdu indicator: berikan tepat satu dari --active dan --inactive</translation>
    </message>
    <message>
        <source>pdu indicator: --kind must be voicemail, fax or email, not &quot;%1&quot;</source>
        <translation>pdu indicator: --kind harus voicemail, fax atau email, bukan &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>phonebook</name>
    <message>
        <source>phonebook: %1 needs a file</source>
        <translation>phonebook: %1 perlu nama berkas</translation>
    </message>
    <message>
        <source>phonebook: unexpected &quot;%1&quot;</source>
        <translation>phonebook: tidak diharapkan: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>usage: velmora-cli phonebook [LINK OPTIONS] [--export FILE] [--vcard FILE]
       velmora-cli phonebook [LINK OPTIONS] --add NAME NUMBER | --set INDEX NAME NUMBER
                             | --delete INDEX | --import FILE [--dry-run] [--yes]
Reads the SIM&apos;s phone book and prints it as the text export; --export also writes it
to FILE, --vcard writes it as vCard 3.0 cards for an address book. On a terminal
the entries are shown escaped as by identify; FILE and a pipe get the phone&apos;s
bytes unchanged.
</source>
        <translation>pemakaian: velmora-cli phonebook [LINK OPTIONS] [--export FILE] [--vcard FILE]
           velmora-cli phonebook [LINK OPTIONS] --add NAME NUMBER | --set INDEX NAME NUMBER
                                 | --delete INDEX | --import FILE [--dry-run] [--yes]
Membaca buku telepon SIM dan mencetaknya sebagai ekspor teks; --export juga
menulisnya ke FILE, --vcard menulisnya sebagai kartu vCard 3.0 untuk buku alamat.
Di terminal entri ditampilkan tersamar seperti pada identify; FILE dan pipa
menerima bita dari ponsel apa adanya.
</translation>
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
        <translation>pemakaian: velmora-cli ports [--device PATH | --device COMn=PATH]... [--baud RATE] [PATH...]
Menanyai setiap perangkat serial apakah ada ponsel yang menjawab di sana, sekitar
satu detik untuk semuanya: perangkat yang diwakili COM1 sampai COM9 (dan COMn lain
yang disebut berkas pengaturan atau --device), hanya yang ada, atau PATH yang
diberikan. Mencetak satu baris untuk masing-masing: port (&quot;-&quot; untuk perangkat yang
tidak diwakili COMn), perangkat, dan temuannya: &quot;menjawab: PRODUSEN MODEL&quot;,
&quot;tidak menjawab&quot;, &quot;sibuk: dipakai oleh NAMA (pid N)&quot; atau alasan perangkat tidak
bisa dibuka. Tidak ada yang ditulis ke perangkat yang sedang dibuka program lain
(pembuat port virtual, seperti socat, tidak dihitung), dan setiap jalur
dikembalikan ke pengaturan semula. Status keluar 0 bila ada ponsel yang menjawab,
3 bila tidak ada.
  --device PATH         perangkat setiap port untuk kali ini
  --device COMn=PATH    perangkat COMn untuk kali ini (boleh berulang)
  --baud RATE           kecepatan jalur untuk bertanya (bawaan: dari berkas pengaturan)
</translation>
    </message>
    <message>
        <source>ports: --port does not apply: every port is asked</source>
        <translation>ports: --port tidak berlaku: semua port ditanyai</translation>
    </message>
    <message>
        <source>ports: unknown option &quot;%1&quot;</source>
        <translation>ports: opsi tidak dikenal &quot;%1&quot;</translation>
    </message>
    <message>
        <source>ports: no serial device is present for COM1 to COM%1</source>
        <translation>ports: tidak ada perangkat serial untuk COM1 sampai COM%1</translation>
    </message>
</context>
<context>
    <name>queue</name>
    <message>
        <source>%1 of %2 sent</source>
        <translation>%1 dari %2 terkirim</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 gagal</translation>
    </message>
    <message>
        <source>%1 uncertain</source>
        <translation>%1 tidak pasti</translation>
    </message>
    <message>
        <source>%1 sending</source>
        <translation>%1 sedang dikirim</translation>
    </message>
    <message>
        <source>%1 queued</source>
        <translation>%1 dalam antrean</translation>
    </message>
    <message>
        <source>Message %1 to %2: %3</source>
        <translation>Pesan %1 ke %2: %3</translation>
    </message>
    <message>
        <source>%1, tried again from %2</source>
        <translation>%1, dicoba lagi mulai %2</translation>
    </message>
    <message>
        <source>Waiting until %1 for the next message</source>
        <translation>Menunggu sampai %1 untuk pesan berikutnya</translation>
    </message>
    <message>
        <source>Batch B%1: %2</source>
        <translation>Kiriman B%1: %2</translation>
    </message>
    <message>
        <source>batch B%1 is paused (the phone stopped answering): %2 queued; &quot;velmora-cli queue resume B%1&quot; goes on</source>
        <translation>kiriman B%1 dijeda (ponsel berhenti menjawab): %2 dalam antrean; &quot;velmora-cli queue resume B%1&quot; melanjutkannya</translation>
    </message>
    <message>
        <source>batch B%1 is paused: %2 queued; &quot;velmora-cli queue resume B%1&quot; goes on</source>
        <translation>kiriman B%1 dijeda: %2 dalam antrean; &quot;velmora-cli queue resume B%1&quot; melanjutkannya</translation>
    </message>
    <message>
        <source>queue run: unexpected &quot;%1&quot;</source>
        <translation>queue run: tidak diharapkan: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Nothing is queued</source>
        <translation>Tidak ada yang dalam antrean</translation>
    </message>
    <message>
        <source>queue: unknown &quot;%1&quot;: list, pause, resume, cancel or run</source>
        <translation>queue: tidak dikenal &quot;%1&quot;: list, pause, resume, cancel atau run</translation>
    </message>
    <message>
        <source>queue %1: unknown option %2</source>
        <translation>queue %1: opsi tidak dikenal %2</translation>
    </message>
    <message>
        <source>queue %1: %2 needs a value</source>
        <translation>queue %1: %2 perlu nilai</translation>
    </message>
    <message>
        <source>queue %1: --json goes with list</source>
        <translation>queue %1: --json hanya untuk list</translation>
    </message>
    <message>
        <source>queue %1: expected one batch (B3) or message</source>
        <translation>queue %1: diharapkan satu kiriman (B3) atau pesan</translation>
    </message>
    <message>
        <source>queue %1: &quot;%2&quot; is no batch (B3)</source>
        <translation>queue %1: &quot;%2&quot; bukan kiriman (B3)</translation>
    </message>
    <message>
        <source>queue %1: &quot;%2&quot; is no batch (B3) or message number</source>
        <translation>queue %1: &quot;%2&quot; bukan kiriman (B3) maupun nomor pesan</translation>
    </message>
    <message>
        <source>queue pause: only a batch is paused; a batch is written B and its number, as queue list shows it</source>
        <translation>queue pause: hanya kiriman yang bisa dijeda; kiriman ditulis B dan nomornya, seperti yang ditampilkan queue list</translation>
    </message>
    <message>
        <source>nothing was ever queued: there is no %1</source>
        <translation>belum pernah ada yang diantrekan: tidak ada %1</translation>
    </message>
    <message>
        <source>Nothing was ever queued</source>
        <translation>Belum pernah ada yang diantrekan</translation>
    </message>
    <message>
        <source>there is no batch B%1</source>
        <translation>tidak ada kiriman B%1</translation>
    </message>
    <message>
        <source>Batch B%1 %2: %3</source>
        <translation>Kiriman B%1 %2: %3</translation>
    </message>
    <message>
        <source>(not before %1)</source>
        <translation>(tidak sebelum %1)</translation>
    </message>
    <message>
        <source>there is no message %1</source>
        <translation>tidak ada pesan %1</translation>
    </message>
    <message>
        <source>Batch B%1 %2</source>
        <translation>Kiriman B%1 %2</translation>
    </message>
    <message>
        <source>gone</source>
        <translation>hilang</translation>
    </message>
    <message>
        <source>Message %1: %2</source>
        <translation>Pesan %1: %2</translation>
    </message>
    <message>
        <source>usage: velmora-cli queue list [--json] [BATCH] [--store PATH]
       velmora-cli queue pause BATCH [--store PATH]
       velmora-cli queue resume BATCH|MESSAGE [--store PATH]
       velmora-cli queue cancel BATCH|MESSAGE [--store PATH]
       velmora-cli queue run [LINK OPTIONS] [--follow]

The outbox: the batches &quot;send --to&quot; and &quot;send --to-file&quot; queued, each message
of them recorded before anything went. A batch is written B3, a message by its
number alone (as &quot;send&quot; prints it).
  list            every batch with what became of its messages, then each message
                  queued alone (send --queue); with BATCH, its messages; --json
                  for a program (the batches)
  pause           hold a batch: what is queued stays queued
  resume          go on with a batch (also one the program paused when the phone
                  stopped answering); of a failed or uncertain message of a
                  batch: send it again in its batch (&quot;velmora-cli resend&quot; sends
                  any message again)
  cancel          take what is queued of a batch, or one message, out; an
                  uncertain message is dropped: it is not sent again
  run             send what is due and wait for what is scheduled, until nothing
                  is queued (or for ever with --follow); prints each message&apos;s end

Exit status of run: 0 when every message was sent (one another program is
sending is not counted), 1 when one failed or is left queued, or a batch holds an
uncertain message (named on stderr, also when nothing is queued), 3 when the
phone could not be reached or stopped answering.
</source>
        <translation>pemakaian: velmora-cli queue list [--json] [BATCH] [--store PATH]
           velmora-cli queue pause BATCH [--store PATH]
           velmora-cli queue resume BATCH|MESSAGE [--store PATH]
           velmora-cli queue cancel BATCH|MESSAGE [--store PATH]
           velmora-cli queue run [LINK OPTIONS] [--follow]

Kotak keluar: kiriman massal yang diantrekan &quot;send --to&quot; dan &quot;send --to-file&quot;,
setiap pesannya dicatat sebelum ada yang berangkat. Kiriman ditulis B3, pesan
cukup dengan nomornya (seperti yang dicetak &quot;send&quot;).
  list            setiap kiriman beserta nasib pesan-pesannya, lalu setiap pesan
                  yang diantrekan sendiri (send --queue); dengan BATCH,
                  pesan-pesannya; --json untuk program (kiriman saja)
  pause           tahan kiriman: yang dalam antrean tetap dalam antrean
  resume          lanjutkan kiriman (juga yang dijeda program saat ponsel
                  berhenti menjawab); untuk pesan kiriman yang gagal atau tidak
                  pasti: kirim ulang dalam kirimannya (&quot;velmora-cli resend&quot;
                  mengirim ulang pesan apa pun)
  cancel          keluarkan yang masih dalam antrean dari kiriman, atau satu
                  pesan; pesan yang tidak pasti dibuang: tidak dikirim ulang
  run             kirim yang sudah waktunya dan tunggu yang terjadwal, sampai
                  antrean kosong (atau terus dengan --follow); mencetak akhir
                  setiap pesan

Status keluar run: 0 bila setiap pesan terkirim (pesan yang sedang dikirim
program lain tidak dihitung), 1 bila ada yang gagal atau tertinggal di antrean,
atau ada kiriman yang menyimpan pesan tidak pasti (disebut di stderr, juga bila
antrean kosong), 3 bila ponsel tidak terjangkau atau berhenti menjawab.
</translation>
    </message>
    <message>
        <source>%1 delivered</source>
        <translation>%1 sampai</translation>
    </message>
    <message>
        <source>%1 not delivered</source>
        <translation>%1 tidak sampai</translation>
    </message>
    <message>
        <source>message %1 to %2 is %3: it may have gone</source>
        <translation>pesan %1 ke %2 berstatus %3: mungkin sudah terkirim</translation>
    </message>
    <message>
        <source>batch B%1 has %2 uncertain: they may have gone; &quot;velmora-cli queue resume MESSAGE&quot; sends one again in its batch, &quot;queue cancel MESSAGE&quot; lets it be</source>
        <translation>kiriman B%1 punya %2 pesan tidak pasti: mungkin sudah terkirim; &quot;velmora-cli queue resume MESSAGE&quot; mengirim satu lagi dalam kirimannya, &quot;queue cancel MESSAGE&quot; membiarkannya</translation>
    </message>
    <message>
        <source>%1 cancelled</source>
        <translation>%1 dibatalkan</translation>
    </message>
    <message>
        <source>message %1 is %2: nothing to resume</source>
        <translation>pesan %1 berstatus %2: tidak ada yang bisa dilanjutkan</translation>
    </message>
    <message>
        <source>message %1 is %2: nothing to cancel</source>
        <translation>pesan %1 berstatus %2: tidak ada yang bisa dibatalkan</translation>
    </message>
    <message>
        <source>(through %1)</source>
        <translation>(lewat %1)</translation>
    </message>
</context>
<context>
    <name>resend</name>
    <message>
        <source>usage: velmora-cli resend [LINK OPTIONS] [--yes] MESSAGE
Sends a message that failed, or whose fate is not known (uncertain), again as a
new message that names the one it replaces; any message, of a batch or not, by
its number as &quot;send&quot;, &quot;history&quot; and &quot;queue list&quot; print it. An uncertain
message may have reached them: the command asks on the terminal first;
without one, --yes agrees beforehand. A message sent again once is not sent
again a second time.
Exit status 0 when every part was sent, 1 when it was refused or not agreed
to or a part was not sent, 3 when the phone could not be reached.
</source>
        <translation>pemakaian: velmora-cli resend [LINK OPTIONS] [--yes] MESSAGE
Mengirim ulang pesan yang gagal, atau yang nasibnya tidak diketahui (tidak
pasti), sebagai pesan baru yang menyebut pesan yang digantikannya; pesan apa pun,
dari kiriman massal atau bukan, dengan nomornya seperti dicetak &quot;send&quot;,
&quot;history&quot; dan &quot;queue list&quot;. Pesan yang tidak pasti mungkin sudah sampai: perintah
ini bertanya dulu di terminal; tanpa terminal, --yes menyetujui lebih dulu. Pesan
yang sudah sekali dikirim ulang tidak dikirim ulang lagi.
Status keluar 0 bila setiap bagian terkirim, 1 bila ditolak atau tidak disetujui
atau ada bagian yang tidak terkirim, 3 bila ponsel tidak terjangkau.
</translation>
    </message>
    <message>
        <source>not sent: there is no terminal to ask on; give --yes to agree beforehand</source>
        <translation>tidak dikirim: tidak ada terminal untuk bertanya; beri --yes untuk menyetujui lebih dulu</translation>
    </message>
    <message>
        <source>resend: &quot;%1&quot; is no message number</source>
        <translation>resend: &quot;%1&quot; bukan nomor pesan</translation>
    </message>
    <message>
        <source>resend: unexpected &quot;%1&quot;</source>
        <translation>resend: &quot;%1&quot; tidak diharapkan</translation>
    </message>
    <message>
        <source>resend: which message? Give its number</source>
        <translation>resend: pesan yang mana? Beri nomornya</translation>
    </message>
    <message>
        <source>message %1 is not sent again: %2</source>
        <translation>pesan %1 tidak dikirim ulang: %2</translation>
    </message>
    <message>
        <source>Message %1 to %2 is %3: it may have reached them. Send it again?</source>
        <translation>Pesan %1 ke %2 berstatus %3: mungkin sudah sampai. Kirim ulang?</translation>
    </message>
    <message>
        <source>Message %1 to %2 is %3. Send it again?</source>
        <translation>Pesan %1 ke %2 berstatus %3. Kirim ulang?</translation>
    </message>
    <message>
        <source>Message %1, in place of message %2</source>
        <translation>Pesan %1, pengganti pesan %2</translation>
    </message>
</context>
<context>
    <name>send</name>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 perlu nilai</translation>
    </message>
    <message>
        <source>%1 is given twice: put every recipient in one</source>
        <translation>%1 diberikan dua kali: taruh semua penerima dalam satu</translation>
    </message>
    <message>
        <source>--interval must be a number of seconds from 0 to 86400</source>
        <translation>--interval harus jumlah detik dari 0 sampai 86400</translation>
    </message>
    <message>
        <source>--per-hour must be a number from 0 (no cap) to 100000</source>
        <translation>--per-hour harus angka dari 0 (tanpa batas) sampai 100000</translation>
    </message>
    <message>
        <source>%1 must be a time written &quot;YYYY-MM-DD HH:MM&quot; (that exists here), not &quot;%2&quot;</source>
        <translation>%1 harus waktu yang ditulis &quot;YYYY-MM-DD HH:MM&quot; (yang ada di zona ini), bukan &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 %2 is in the past</source>
        <translation>%1 %2 sudah lewat</translation>
    </message>
    <message>
        <source>send: --to and --to-file cannot be given together</source>
        <translation>send: --to dan --to-file tidak bisa dipakai bersamaan</translation>
    </message>
    <message>
        <source>send: --number-column goes with --to-file</source>
        <translation>send: --number-column hanya bersama --to-file</translation>
    </message>
    <message>
        <source>send: --expire must be after --at</source>
        <translation>send: --expire harus setelah --at</translation>
    </message>
    <message>
        <source> (with --to or --to-file the kind takes no number)</source>
        <translation> (dengan --to atau --to-file jenis pesan tidak memakai nomor)</translation>
    </message>
    <message>
        <source>nothing queued: %1</source>
        <translation>tidak ada yang diantrekan: %1</translation>
    </message>
    <message>
        <source>the text has %1, which only a contacts file (--to-file) fills; write {{ and }} for braces of your own</source>
        <translation>teks memuat %1, yang hanya diisi dari berkas kontak (--to-file); tulis {{ dan }} untuk kurung kurawal biasa</translation>
    </message>
    <message>
        <source>the text names %1, which is not a column of %2 (%3)</source>
        <translation>teks menyebut %1, yang bukan kolom %2 (%3)</translation>
    </message>
    <message>
        <source>the text names %1, which are not a column of %2 (%3)</source>
        <translation>teks menyebut %1, yang bukan kolom %2 (%3)</translation>
    </message>
    <message>
        <source>line %1 (%2)</source>
        <translation>baris %1 (%2)</translation>
    </message>
    <message>
        <source>once only: %1: %2</source>
        <translation>cukup sekali: %1: %2</translation>
    </message>
    <message>
        <source>left out: %1: %2</source>
        <translation>terlewat: %1: %2</translation>
    </message>
    <message>
        <source>nothing queued: the same message to the same recipients was queued as batch B%1 (%2: %3); --again queues it once more</source>
        <translation>tidak ada yang diantrekan: pesan yang sama ke penerima yang sama sudah diantrekan sebagai kiriman B%1 (%2: %3); --again mengantrekannya sekali lagi</translation>
    </message>
    <message>
        <source>nothing queued: the same message to the same recipients was queued as batch B%1; --again queues it once more</source>
        <translation>tidak ada yang diantrekan: pesan yang sama ke penerima yang sama sudah diantrekan sebagai kiriman B%1; --again mengantrekannya sekali lagi</translation>
    </message>
    <message>
        <source>Batch B%1: %2 message queued to go from %3; &quot;velmora-cli queue run&quot; sends them from then</source>
        <translation>Kiriman B%1: %2 pesan diantrekan untuk berangkat mulai %3; &quot;velmora-cli queue run&quot; mengirimnya mulai saat itu</translation>
    </message>
    <message>
        <source>Batch B%1: %2 messages queued to go from %3; &quot;velmora-cli queue run&quot; sends them from then</source>
        <translation>Kiriman B%1: %2 pesan diantrekan untuk berangkat mulai %3; &quot;velmora-cli queue run&quot; mengirimnya mulai saat itu</translation>
    </message>
    <message>
        <source>Batch B%1: %2 message queued</source>
        <translation>Kiriman B%1: %2 pesan diantrekan</translation>
    </message>
    <message>
        <source>Batch B%1: %2 messages queued</source>
        <translation>Kiriman B%1: %2 pesan diantrekan</translation>
    </message>
    <message>
        <source>batch B%1 stays queued; &quot;velmora-cli queue run&quot; sends it</source>
        <translation>kiriman B%1 tetap dalam antrean; &quot;velmora-cli queue run&quot; akan mengirimnya</translation>
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
        <translation>pemakaian: velmora-cli send [LINK OPTIONS] KIND ARGS...
KIND dan ARGS seperti pada &quot;velmora-cli pdu&quot;. Mencetak hasil setiap bagian:
&quot;Pesan Terkirim&quot;, &quot;Gagal (1)&quot; atau &quot;Tidak diketahui&quot;; status keluar 0 bila setiap
bagian terkirim, 1 bila ada yang tidak, 3 bila ponsel tidak terjangkau. Bila
dihentikan (Ctrl-C, SIGTERM, SIGHUP), dialog diakhiri, bagian yang sudah diserahkan
ke ponsel dicatat sebagai tidak diketahui, lalu keluar dengan 128 + nomor sinyal
(130 untuk Ctrl-C).
  --report              minta laporan pengiriman dari jaringan untuk setiap bagian
                        (memakai dialog cepat), tunggu lalu cetak &quot;Sampai ke penerima&quot;
                        atau &quot;Tidak sampai: ALASAN&quot;; status keluar 0 bila setiap
                        bagian sampai, 1 bila ada yang tidak, 3 bila laporan
                        tidak datang tepat waktu
  --report-wait SECONDS berapa lama menunggu laporan (bawaan 60)
</translation>
    </message>
    <message>
        <source>No delivery report</source>
        <translation>Tidak ada laporan pengiriman</translation>
    </message>
    <message>
        <source>send: --report-wait needs a number of seconds</source>
        <translation>send: --report-wait perlu jumlah detik</translation>
    </message>
    <message>
        <source>send: --report-wait must be a number of seconds from 0 to 86400</source>
        <translation>send: --report-wait harus jumlah detik dari 0 sampai 86400</translation>
    </message>
    <message>
        <source>send: the batch options go with --to or --to-file</source>
        <translation>send: opsi kiriman massal hanya bersama --to atau --to-file</translation>
    </message>
    <message>
        <source>nothing sent: %1</source>
        <translation>tidak ada yang dikirim: %1</translation>
    </message>
    <message>
        <source>Message %1</source>
        <translation>Pesan %1</translation>
    </message>
    <message>
        <source>no delivery reports: the phone will not pass them on</source>
        <translation>tidak ada laporan pengiriman: ponsel tidak meneruskannya</translation>
    </message>
    <message>
        <source>Sending to many (the kind then takes no number):
  --to LIST             numbers, phone-book names and groups, between commas or
                        semicolons
  --to-file FILE.csv    a contacts file with a header row; {column} in a text is
                        filled from each row
  --number-column NAME  the column of the numbers, by its header or its place (1
                        for the first); default: the one headed Phone, Number,
                        Cell, Mobile, HP, No. HP, Nomor, Telepon, WA... or else
                        the only one whose cells are all phone numbers (dates
                        and account numbers are not); else it must be given
  --dry-run             print each recipient&apos;s own text, coding and parts, and who
                        is left out and why; queue and send nothing
  --allow-empty         send a row whose cell for a {column} is empty (else it is
                        left out)
  --unicode auto|never|always  a recipient&apos;s text with characters outside GSM:
                        auto (default) sends it as UCS2, in more parts if need
                        be; never leaves it out; always sends every text as UCS2
  --interval SECONDS    between one message&apos;s start and the next&apos;s
  --per-hour N          at most N messages in any hour
  --at &quot;YYYY-MM-DD HH:MM&quot;      queue only; &quot;queue run&quot; sends it from then on
  --expire &quot;YYYY-MM-DD HH:MM&quot;  send none after this time
  --again               queue it even when the same batch (the same message to the
                        same recipients, from the same --at) was queued before
  --report              as for one recipient: wait for each message&apos;s delivery
                        report and print it
Each recipient&apos;s message is recorded before anything goes; the outcome of each
is printed as it ends. Exit status 0 when every message was sent, 1 when one
failed or is uncertain or a recipient was left out (named on stderr), 3 when
the phone could not be reached, 4 when the same batch was queued before (the
line names it).
</source>
        <translation>Mengirim ke banyak penerima (jenis pesan lalu tanpa nomor):
  --to LIST             nomor, nama di buku telepon dan grup, dipisah koma atau
                        titik koma
  --to-file FILE.csv    berkas kontak dengan baris judul; {column} di teks diisi
                        dari setiap baris
  --number-column NAME  kolom nomor, menurut judulnya atau urutannya (1 untuk
                        yang pertama); bawaan: kolom berjudul Phone, Number,
                        Cell, Mobile, HP, No. HP, Nomor, Telepon, WA... atau
                        kolom yang semua selnya nomor telepon (tanggal dan nomor
                        rekening bukan); selain itu harus diberikan
  --dry-run             cetak teks, pengodean dan jumlah bagian setiap penerima,
                        serta siapa yang terlewat dan mengapa; tidak ada yang
                        diantrekan atau dikirim
  --allow-empty         kirim juga baris yang selnya untuk {column} kosong (kalau
                        tidak, baris itu terlewat)
  --unicode auto|never|always  teks penerima dengan karakter di luar GSM:
                        auto (bawaan) mengirimnya sebagai UCS2, dalam lebih banyak
                        bagian bila perlu; never melewatkannya; always mengirim
                        setiap teks sebagai UCS2
  --interval SECONDS    jarak antara mulainya satu pesan dan pesan berikutnya
  --per-hour N          paling banyak N pesan dalam satu jam
  --at &quot;YYYY-MM-DD HH:MM&quot;      hanya diantrekan; &quot;queue run&quot; mengirimnya mulai saat itu
  --expire &quot;YYYY-MM-DD HH:MM&quot;  tidak mengirim apa pun setelah waktu ini
  --again               antrekan walaupun kiriman yang sama (pesan yang sama ke
                        penerima yang sama, dari --at yang sama) sudah pernah
                        diantrekan
  --report              seperti untuk satu penerima: tunggu laporan pengiriman
                        setiap pesan dan cetak
Pesan setiap penerima dicatat sebelum ada yang berangkat; hasil masing-masing
dicetak begitu selesai. Status keluar 0 bila setiap pesan terkirim, 1 bila ada
yang gagal atau tidak pasti atau ada penerima yang terlewat (disebut di stderr),
3 bila ponsel tidak terjangkau, 4 bila kiriman yang sama sudah pernah diantrekan
(barisnya menyebutkannya).
</translation>
    </message>
    <message>
        <source>To %1: %2, %3</source>
        <translation>Ke %1: %2, %3</translation>
    </message>
    <message>
        <source>1 part</source>
        <translation>1 bagian</translation>
    </message>
    <message>
        <source>%1 parts</source>
        <translation>%1 bagian</translation>
    </message>
    <message>
        <source> (made UCS2: the text has characters outside GSM)</source>
        <translation> (dijadikan UCS2: teksnya berisi karakter di luar GSM)</translation>
    </message>
    <message>
        <source>Dry run: %1 in %2, %3 left out; nothing was queued or sent</source>
        <translation>Uji coba: %1 dalam %2, %3 terlewat; tidak ada yang diantrekan atau dikirim</translation>
    </message>
    <message>
        <source>1 recipient</source>
        <translation>1 penerima</translation>
    </message>
    <message>
        <source>%1 recipients</source>
        <translation>%1 penerima</translation>
    </message>
    <message>
        <source>no delivery report</source>
        <translation>tidak ada laporan pengiriman</translation>
    </message>
    <message>
        <source>--unicode must be auto, never or always, not &quot;%1&quot;</source>
        <translation>--unicode harus auto, never atau always, bukan &quot;%1&quot;</translation>
    </message>
    <message>
        <source>send: --allow-empty goes with --to-file</source>
        <translation>send: --allow-empty hanya bersama --to-file</translation>
    </message>
    <message>
        <source>send: --report waits for what is sent now, not with --at</source>
        <translation>send: --report menunggu yang dikirim sekarang, tidak bersama --at</translation>
    </message>
    <message>
        <source>%1; name it with --number-column (its header or its place, 1 for the first)</source>
        <translation>%1; sebutkan dengan --number-column (judulnya atau urutannya, 1 untuk yang pertama)</translation>
    </message>
    <message>
        <source>  --queue               record the message in the store and send nothing now:
                        &quot;velmora-cli queue run&quot; or velmorad sends it when it is
                        due; no port is opened. Prints the message&apos;s number, or
                        with --to or --to-file its batch&apos;s number and count
  --modem NAME          with --queue: the modem it goes through (a [Modem NAME] of
                        velmorad&apos;s settings); by default the first one free
</source>
        <translation>  --queue               catat pesan di penyimpanan dan jangan kirim apa pun sekarang:
                        &quot;velmora-cli queue run&quot; atau velmorad mengirimnya bila
                        waktunya tiba; tidak ada port yang dibuka. Mencetak nomor
                        pesan, atau dengan --to atau --to-file nomor kiriman dan
                        jumlah pesannya
  --modem NAME          dengan --queue: modem yang dilaluinya ([Modem NAME] di
                        pengaturan velmorad); bawaan: modem pertama yang luang
</translation>
    </message>
    <message>
        <source>send: --modem needs a modem&apos;s name</source>
        <translation>send: --modem perlu nama modem</translation>
    </message>
    <message>
        <source>send: --modem goes with --queue</source>
        <translation>send: --modem hanya bersama --queue</translation>
    </message>
    <message>
        <source>send: --report waits for what is sent now, not with --queue</source>
        <translation>send: --report menunggu yang dikirim sekarang, tidak bersama --queue</translation>
    </message>
    <message>
        <source>send: of the batch options only --at goes with --queue and one number</source>
        <translation>send: dari opsi kiriman massal hanya --at yang bisa bersama --queue dan satu nomor</translation>
    </message>
    <message>
        <source>nothing sent: no modem of the running program took message %1 within %2 s</source>
        <translation>tidak ada yang terkirim: tidak ada modem program yang sedang berjalan yang mengambil pesan %1 dalam %2 dtk</translation>
    </message>
    <message>
        <source>message %1 did not end in time; &quot;velmora-cli history&quot; tells how it ends</source>
        <translation>pesan %1 tidak selesai tepat waktu; &quot;velmora-cli history&quot; memberi tahu bagaimana akhirnya</translation>
    </message>
    <message>
        <source>the running program did not answer: the message may have been queued; see &quot;velmora-cli history&quot; before sending it again</source>
        <translation>program yang sedang berjalan tidak menjawab: pesan itu mungkin sudah masuk antrean; lihat &quot;velmora-cli history&quot; sebelum mengirimnya lagi</translation>
    </message>
</context>
<context>
    <name>store</name>
    <message>
        <source>store: unknown option &quot;%1&quot;</source>
        <translation>store: opsi tidak dikenal &quot;%1&quot;</translation>
    </message>
    <message>
        <source>store: unexpected &quot;%1&quot;</source>
        <translation>store: tidak diharapkan: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>store: unknown &quot;%1&quot;</source>
        <translation>store: tidak dikenal: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>store backup: which file?</source>
        <translation>store backup: berkas yang mana?</translation>
    </message>
    <message>
        <source>store check: --force goes with backup</source>
        <translation>store check: --force dipakai bersama backup</translation>
    </message>
    <message>
        <source>there is no message store yet: %1</source>
        <translation>belum ada penyimpanan pesan: %1</translation>
    </message>
    <message>
        <source>The message store is copied to %1</source>
        <translation>Penyimpanan pesan disalin ke %1</translation>
    </message>
    <message>
        <source>The message store %1 is whole</source>
        <translation>Penyimpanan pesan %1 utuh</translation>
    </message>
    <message>
        <source>The message store %1 is damaged; SQLite found:</source>
        <translation>Penyimpanan pesan %1 rusak; SQLite menemukan:</translation>
    </message>
    <message>
        <source>The message store is damaged: its bytes are copied as they lie to %1, for a rescue to read</source>
        <translation>Penyimpanan pesan rusak: bita-bitanya disalin apa adanya ke %1, untuk dibaca saat penyelamatan</translation>
    </message>
    <message>
        <source>usage: velmora-cli store check [--store PATH]
       velmora-cli store backup FILE [--force] [--store PATH]
       velmora-cli store copy --from LOCATION --to LOCATION

check   reads every page of the message store (SQLite&apos;s integrity_check) and
        says whether it is whole, or what SQLite found wrong
backup  copies the message store to FILE as it is at one moment, while
        other programs may be using it; the copy is written under another
        name and takes FILE&apos;s name when whole. An existing FILE is kept
        unless --force is given.
copy    copies every message, batch, group, contact and modem of one store
        into another that holds no message yet, such as a file into a
        PostgreSQL server&apos;s; the first is only read

  --store PATH    the store instead of the one the settings name
  --from LOCATION, --to LOCATION
                  a store&apos;s file or postgresql://USER@HOST/DATABASE?...

Exit status: 0 when the store is whole (check) or copied (backup, copy), 1
when it is damaged or could not be read or copied, 2 for wrong usage.
</source>
        <translation>pemakaian: velmora-cli store check [--store PATH]
           velmora-cli store backup FILE [--force] [--store PATH]
           velmora-cli store copy --from LOCATION --to LOCATION

check   membaca setiap halaman penyimpanan pesan (integrity_check SQLite) dan
        mengatakan apakah utuh, atau apa yang salah menurut SQLite
backup  menyalin penyimpanan pesan ke FILE seperti keadaannya pada satu saat,
        selagi program lain mungkin memakainya; salinan ditulis dengan nama
        lain dan baru memakai nama FILE setelah utuh. FILE yang sudah ada
        dibiarkan kecuali --force diberikan.
copy    menyalin setiap pesan, batch, grup, kontak dan modem dari satu
        penyimpanan ke penyimpanan lain yang belum berisi pesan, seperti berkas
        ke penyimpanan server PostgreSQL; yang pertama hanya dibaca

  --store PATH    penyimpanan yang dipakai, bukan yang disebut pengaturan
  --from LOCATION, --to LOCATION
                  berkas penyimpanan atau postgresql://USER@HOST/DATABASE?...

Status keluar: 0 bila penyimpanan utuh (check) atau tersalin (backup, copy), 1
bila rusak atau tidak bisa dibaca atau disalin, 2 untuk pemakaian yang salah.
</translation>
    </message>
    <message>
        <source>store copy: takes --from and --to only</source>
        <translation>store copy: hanya menerima --from dan --to</translation>
    </message>
    <message>
        <source>store copy: --from which store, --to which?</source>
        <translation>store copy: --from penyimpanan mana, --to mana?</translation>
    </message>
    <message>
        <source>store copy: --from and --to name one store</source>
        <translation>store copy: --from dan --to menyebut satu penyimpanan yang sama</translation>
    </message>
    <message>
        <source>store: %1 needs a value</source>
        <translation>store: %1 perlu nilai</translation>
    </message>
    <message>
        <source>store: --from and --to go with copy</source>
        <translation>store: --from dan --to dipakai bersama copy</translation>
    </message>
    <message>
        <source>store: check, backup or copy?</source>
        <translation>store: check, backup atau copy?</translation>
    </message>
    <message>
        <source>Copied %1 messages from %2 to %3</source>
        <translation>Tersalin %1 pesan dari %2 ke %3</translation>
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
        <translation>pemakaian: velmora-cli tone FILE|RTTTL [--wav OUT.wav]

Memutar nada dering di keluaran suara bawaan seperti ponsel akan memutarnya: nada,
panjang, tempo dan gaya yang dibawa pesan nada dering, dibaca kembali dari oktet
yang disusun penyandi. FILE dibaca seperti tab RingTone membacanya (baris
pertamanya); argumen yang memuat &quot;:&quot; dan bukan nama berkas dianggap sebagai baris
RTTTL itu sendiri. Lagu diputar sekali ditambah pengulangan yang diminta hitungan
ulangnya, paling banyak tiga kali; lagu yang berulang tanpa akhir diputar sekali.
Ctrl+C menghentikannya.

  --wav OUT.wav   tulis suaranya ke OUT.wav (16-bit mono, 22050 Hz) alih-alih
                  memutarnya

Apa yang dilewati atau dibulatkan penyandi disebut di stderr menurut karakternya;
lagu tanpa nada ditolak.
</translation>
    </message>
    <message>
        <source>tone: %1</source>
        <translation>tone: %1</translation>
    </message>
    <message>
        <source>tone: unknown option %1</source>
        <translation>tone: opsi tidak dikenal %1</translation>
    </message>
    <message>
        <source>tone: %1 needs a value</source>
        <translation>tone: %1 perlu nilai</translation>
    </message>
    <message>
        <source>tone: expected one FILE or RTTTL line, got %1</source>
        <translation>tone: diharapkan satu FILE atau baris RTTTL, ada %1</translation>
    </message>
    <message>
        <source>tone: the tune has no notes</source>
        <translation>tone: lagu ini tidak punya nada</translation>
    </message>
    <message>
        <source>tone: the tune is too long for one message: only the first %1 of its %2 notes fit</source>
        <translation>tone: lagu terlalu panjang untuk satu pesan: hanya %1 nada pertama dari %2 nadanya yang muat</translation>
    </message>
</context>
<context>
    <name>ussd</name>
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
        <translation>pemakaian: velmora-cli ussd [LINK OPTIONS] [--wait SECONDS] CODE [REPLY...]
Mengirim kode USSD (&quot;*123#&quot; untuk cek pulsa) dan mencetak jawaban jaringan.
Bila jaringan meminta lebih, REPLY berikutnya dikirim; bila tidak ada lagi,
balasan ditanyakan di terminal (baris kosong mengakhiri sesi). Ctrl-C, atau
tidak ada jawaban selama waktu tunggu, mengakhiri sesi dengan jaringan.
Memerlukan dialog cepat (--fast, atau Dialogue=fast di berkas pengaturan).

  --wait SECONDS    berapa lama menunggu setiap jawaban jaringan
                    (bawaan 30, paling lama 600)

Apakah modem menerima permintaan sebagai teks atau sebagai hex GSM 7-bit yang
dipadatkan (packed) dicari tahu dan diingat per modem di berkas pengaturan
([USSD Encodings]); [Communication Port] UssdEncoding=text atau packed
menetapkannya untuk semua modem. Setiap sesi disimpan di penyimpanan pesan
(jenis &quot;ussd&quot;): lihat history.

Status keluar: 0 bila jaringan menjawab, 1 bila ponsel atau jaringan menolak
atau tidak ada jawaban, 2 untuk kesalahan pemakaian, 3 bila ponsel tidak
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
    <message>
        <source>ussd: --wait needs seconds from 1 to 600</source>
        <translation>ussd: --wait perlu jumlah detik dari 1 sampai 600</translation>
    </message>
    <message>
        <source>ussd: unexpected &quot;%1&quot;</source>
        <translation>ussd: tidak diharapkan: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>ussd: the code is missing</source>
        <translation>ussd: kodenya belum diberikan</translation>
    </message>
    <message>
        <source>the session ended before these replies were asked for: %1</source>
        <translation>sesi berakhir sebelum balasan ini diminta: %1</translation>
    </message>
</context>
</TS>
