<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
<context>
    <name>BatchRecipientModel</name>
    <message>
        <source>next try %1</source>
        <translation>coba lagi %1</translation>
    </message>
    <message>
        <source>not before %1</source>
        <translation>tidak sebelum %1</translation>
    </message>
    <message>
        <source>dropped by the user; whether the phone sent it is not known</source>
        <translation>dibatalkan pengguna; tidak diketahui apakah telepon sudah mengirimnya</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nomor</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nama</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Tries</source>
        <translation>Coba</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Catatan</translation>
    </message>
</context>
<context>
    <name>ContentTabs</name>
    <message>
        <source>The content holds %1 octets where this tab sends %2 (72 x %3 pixels); it is kept and sent as loaded.</source>
        <translation>Isinya %1 oktet, sedangkan tab ini mengirim %2 (72 x %3 piksel); isi disimpan dan dikirim apa adanya.</translation>
    </message>
    <message>
        <source>The picture is %1 x %2 pixels where this tab sends 72 x %3; it is kept and sent as loaded.</source>
        <translation>Gambarnya %1 x %2 piksel, sedangkan tab ini mengirim 72 x %3; gambar disimpan dan dikirim apa adanya.</translation>
    </message>
    <message>
        <source>Monochrome Bitmap Files, as shown</source>
        <translation>Berkas Bitmap Hitam-Putih, seperti tampilan</translation>
    </message>
    <message>
        <source>PNG Pictures, as shown</source>
        <translation>Gambar PNG, seperti tampilan</translation>
    </message>
    <message>
        <source>Operator Logo</source>
        <translation>Logo Operator</translation>
    </message>
    <message>
        <source>Group Graphic</source>
        <translation>Grafik Grup</translation>
    </message>
    <message>
        <source>Picture Message</source>
        <translation>Pesan Gambar</translation>
    </message>
    <message>
        <source>[ None ]</source>
        <translation>[ Tidak ada ]</translation>
    </message>
    <message>
        <source>I am ironic, flirty</source>
        <translation>Aku menyindir, menggoda</translation>
    </message>
    <message>
        <source>I am glad</source>
        <translation>Aku senang</translation>
    </message>
    <message>
        <source>I am sceptic</source>
        <translation>Aku ragu</translation>
    </message>
    <message>
        <source>I am sad</source>
        <translation>Aku sedih</translation>
    </message>
    <message>
        <source>WOW !</source>
        <translation>WAH !</translation>
    </message>
    <message>
        <source>I am crying</source>
        <translation>Aku menangis</translation>
    </message>
    <message>
        <source>I am winking</source>
        <translation>Aku mengedip</translation>
    </message>
    <message>
        <source>I am laughing</source>
        <translation>Aku tertawa</translation>
    </message>
    <message>
        <source>I am Indifferent</source>
        <translation>Aku cuek</translation>
    </message>
    <message>
        <source>In love / Kissing</source>
        <translation>Jatuh cinta / Cium</translation>
    </message>
    <message>
        <source>I am confused</source>
        <translation>Aku bingung</translation>
    </message>
    <message>
        <source>Tongue hanging</source>
        <translation>Menjulurkan lidah</translation>
    </message>
    <message>
        <source>I am angry</source>
        <translation>Aku marah</translation>
    </message>
    <message>
        <source>Wearing glasses</source>
        <translation>Berkacamata</translation>
    </message>
    <message>
        <source>Devil</source>
        <translation>Setan</translation>
    </message>
    <message>
        <source>Chimes high</source>
        <translation>Lonceng tinggi</translation>
    </message>
    <message>
        <source>Chimes low</source>
        <translation>Lonceng rendah</translation>
    </message>
    <message>
        <source>Ding</source>
        <translation>Ding</translation>
    </message>
    <message>
        <source>TaDa</source>
        <translation>TaDa</translation>
    </message>
    <message>
        <source>Notify</source>
        <translation>Pemberitahuan</translation>
    </message>
    <message>
        <source>Drum</source>
        <translation>Drum</translation>
    </message>
    <message>
        <source>Claps</source>
        <translation>Tepuk tangan</translation>
    </message>
    <message>
        <source>Fanfar</source>
        <translation>Fanfare</translation>
    </message>
    <message>
        <source>Chord high</source>
        <translation>Akor tinggi</translation>
    </message>
    <message>
        <source>Chord low</source>
        <translation>Akor rendah</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Gambar</translation>
    </message>
    <message>
        <source>Pictures as an Operator Logo</source>
        <translation>Gambar sebagai Logo Operator</translation>
    </message>
    <message>
        <source>Pictures as a Group Graphic</source>
        <translation>Gambar sebagai Grafik Grup</translation>
    </message>
    <message>
        <source>Pictures as a Picture Message</source>
        <translation>Gambar sebagai Pesan Gambar</translation>
    </message>
    <message>
        <source>Converted to %1 x %2 pixels; the Picture Editor sets the threshold.</source>
        <translation>Diubah menjadi %1 x %2 piksel; ambang diatur di Editor Gambar.</translation>
    </message>
    <message>
        <source>Title = %1</source>
        <translation>Judul = %1</translation>
    </message>
    <message>
        <source>Tempo = %1</source>
        <translation>Tempo = %1</translation>
    </message>
    <message>
        <source>This tune has %1 notes; one message carries the first %2 of them.
Send the first %2 notes?</source>
        <translation>Lagu ini punya %1 not; satu pesan hanya memuat %2 not pertama.
Kirim %2 not pertama?</translation>
    </message>
    <message>
        <source>The tune is too long for one message: only the first %1 of its %2 notes fit.</source>
        <translation>Lagu terlalu panjang untuk satu pesan: hanya %1 dari %2 not pertama yang muat.</translation>
    </message>
    <message>
        <source>The ringtone ends after note %1 of %2, so it fits one message.</source>
        <translation>Nada dering berakhir setelah not ke-%1 dari %2, jadi muat dalam satu pesan.</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Disimpan ke %1</translation>
    </message>
    <message>
        <source>Velmora loads pictures (PNG, JPEG, GIF, BMP, SVG) and NOL, NGG, VOL, VGG, VPM and RTTTL files; %1 is none of these.</source>
        <translation>Velmora membuka gambar (PNG, JPEG, GIF, BMP, SVG) dan berkas NOL, NGG, VOL, VGG, VPM, serta RTTTL; %1 bukan salah satunya.</translation>
    </message>
    <message>
        <source>The Picture Editor draws the bitmap of the Operator Logo, Group Graphic and Picture Message tabs, and a picture converted into the EMS text.</source>
        <translation>Editor Gambar menggambar bitmap di tab Logo Operator, Grafik Grup, dan Pesan Gambar, serta gambar yang diubah ke dalam teks EMS.</translation>
    </message>
    <message>
        <source>EMS picture</source>
        <translation>Gambar EMS</translation>
    </message>
    <message>
        <source>%1 of %2 octets, %3 left</source>
        <translation>%1 dari %2 oktet, sisa %3</translation>
    </message>
    <message>
        <source>%1 of %2 octets, too long: the first %3 of %4 notes fit</source>
        <translation>%1 dari %2 oktet, terlalu panjang: hanya %3 dari %4 not pertama yang muat</translation>
    </message>
    <message>
        <source>The tune cannot be played: %1</source>
        <translation>Lagu tidak dapat diputar: %1</translation>
    </message>
</context>
<context>
    <name>InboxDialog</name>
    <message>
        <source>phone</source>
        <translation>telepon</translation>
    </message>
    <message>
        <source>store %1</source>
        <translation>penyimpanan %1</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 dan %2</translation>
    </message>
    <message>
        <source>It is in the RingTone tab.</source>
        <translation>Pesan ada di tab Nada Dering.</translation>
    </message>
    <message>
        <source>Operator Logo</source>
        <translation>Logo Operator</translation>
    </message>
    <message>
        <source>Group Graphic</source>
        <translation>Grafik Grup</translation>
    </message>
    <message>
        <source>Picture Message</source>
        <translation>Pesan Gambar</translation>
    </message>
    <message>
        <source>It is drawn on the Screen Appearance and is in the %1 tab.</source>
        <translation>Pesan digambar di Tampilan Layar dan ada di tab %1.</translation>
    </message>
    <message>
        <source>Stored at: %1</source>
        <translation>Disimpan di: %1</translation>
    </message>
    <message>
        <source>This message could not be read: %1</source>
        <translation>Pesan ini tidak dapat dibaca: %1</translation>
    </message>
    <message>
        <source>To: %1</source>
        <translation>Kepada: %1</translation>
    </message>
    <message>
        <source>From: %1</source>
        <translation>Dari: %1</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Waktu: %1</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>Jenis: %1</translation>
    </message>
    <message>
        <source>Parts: %1 of %2 came</source>
        <translation>Bagian: %1 dari %2 diterima</translation>
    </message>
    <message>
        <source>Cut short: the user data ends before its stated length</source>
        <translation>Terpotong: data pengguna berakhir sebelum panjang yang disebutkan</translation>
    </message>
    <message>
        <source>Reference %1: %2</source>
        <translation>Referensi %1: %2</translation>
    </message>
    <message>
        <source>RTTTL: %1</source>
        <translation>RTTTL: %1</translation>
    </message>
    <message>
        <source>%1, place %2</source>
        <translation>%1, tempat %2</translation>
    </message>
    <message>
        <source>%1, places %2</source>
        <translation>%1, tempat %2</translation>
    </message>
    <message>
        <source>Long text message, %1 parts</source>
        <translation>Pesan teks panjang, %1 bagian</translation>
    </message>
    <message>
        <source>Text message</source>
        <translation>Pesan teks</translation>
    </message>
    <message>
        <source>Flash message, blinking</source>
        <translation>Pesan kilat, berkedip</translation>
    </message>
    <message>
        <source>Flash message</source>
        <translation>Pesan kilat</translation>
    </message>
    <message>
        <source>EMS message</source>
        <translation>Pesan EMS</translation>
    </message>
    <message>
        <source>Picture message</source>
        <translation>Pesan gambar</translation>
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
    <message>
        <source>Delivery report: %1</source>
        <translation>Laporan pengiriman: %1</translation>
    </message>
    <message>
        <source>Compressed: Velmora does not read the text; its octets: %1</source>
        <translation>Terkompresi: Velmora tidak membaca teksnya; oktetnya: %1</translation>
    </message>
    <message>
        <source>Compressed text: %1</source>
        <translation>Teks terkompresi: %1</translation>
    </message>
</context>
<context>
    <name>LinkIndicators</name>
    <message>
        <source>Reading from the phone</source>
        <translation>Membaca dari telepon</translation>
    </message>
</context>
<context>
    <name>MailMergeDialog</name>
    <message>
        <source>line %1 %2</source>
        <translation>baris %1 %2</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>baris %1: %2</translation>
    </message>
</context>
<context>
    <name>MessageWords</name>
    <message>
        <source>the phone refused it (+CMS ERROR %1)</source>
        <translation>ditolak telepon (+CMS ERROR %1)</translation>
    </message>
    <message>
        <source>the phone refused it (+CME ERROR %1)</source>
        <translation>ditolak telepon (+CME ERROR %1)</translation>
    </message>
    <message>
        <source>the phone refused it (ERROR)</source>
        <translation>ditolak telepon (ERROR)</translation>
    </message>
    <message>
        <source>the phone would not take PDUs (no OK to AT+CMGF=0)</source>
        <translation>telepon tidak menerima PDU (tidak ada OK untuk AT+CMGF=0)</translation>
    </message>
    <message>
        <source>the phone gave no prompt for the PDU</source>
        <translation>telepon tidak memberi prompt untuk PDU</translation>
    </message>
    <message>
        <source>the phone did not answer</source>
        <translation>telepon tidak menjawab</translation>
    </message>
    <message>
        <source>the link to the phone was lost before the PDU went</source>
        <translation>sambungan ke telepon putus sebelum PDU terkirim</translation>
    </message>
    <message>
        <source>no phone was connected</source>
        <translation>tidak ada telepon yang tersambung</translation>
    </message>
    <message>
        <source>the program stopped before the PDU went</source>
        <translation>program berhenti sebelum PDU terkirim</translation>
    </message>
    <message>
        <source>not delivered (TP-ST %1)</source>
        <translation>tidak sampai (TP-ST %1)</translation>
    </message>
    <message>
        <source>the history could not record it, so it was not sent</source>
        <translation>riwayat tidak dapat mencatatnya, jadi tidak dikirim</translation>
    </message>
    <message>
        <source>taken out of the queue</source>
        <translation>dikeluarkan dari antrean</translation>
    </message>
    <message>
        <source>its batch&apos;s time to send ran out first</source>
        <translation>waktu kirim kirimannya habis lebih dulu</translation>
    </message>
    <message>
        <source>the phone took the PDU but never answered</source>
        <translation>telepon menerima PDU tetapi tidak pernah menjawab</translation>
    </message>
    <message>
        <source>the program stopped while it was being sent</source>
        <translation>program berhenti saat pesan sedang dikirim</translation>
    </message>
    <message>
        <source>the link was lost after the phone took the PDU</source>
        <translation>sambungan putus setelah telepon menerima PDU</translation>
    </message>
    <message>
        <source>dropped: it is not sent again</source>
        <translation>dibatalkan: tidak dikirim lagi</translation>
    </message>
    <message>
        <source>whether the phone sent it is not known</source>
        <translation>tidak diketahui apakah telepon sudah mengirimnya</translation>
    </message>
    <message>
        <source>%1 (TP-ST %2)</source>
        <translation>%1 (TP-ST %2)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the program sending it on another box stopped answering</source>
        <translation>program yang mengirimnya di mesin lain berhenti menjawab</translation>
    </message>
    <message>
        <source>the program sending it stopped answering (its instance vanished)</source>
        <translation>program yang mengirimnya berhenti menjawab (instansnya lenyap)</translation>
    </message>
</context>
<context>
    <name>MessagesWindow</name>
    <message>
        <source>part %1: %2</source>
        <translation>bagian %1: %2</translation>
    </message>
    <message>
        <source>no PDU was kept</source>
        <translation>tidak ada PDU yang disimpan</translation>
    </message>
    <message>
        <source>reference %1</source>
        <translation>referensi %1</translation>
    </message>
    <message>
        <source>the phone answered &quot;%1&quot;</source>
        <translation>telepon menjawab &quot;%1&quot;</translation>
    </message>
    <message>
        <source>report: %1 (TP-ST %2)</source>
        <translation>laporan: %1 (TP-ST %2)</translation>
    </message>
    <message>
        <source>Part %1 of %2: no answer of the phone&apos;s was recorded</source>
        <translation>Bagian %1 dari %2: tidak ada jawaban telepon yang tercatat</translation>
    </message>
    <message>
        <source>Part %1 of %2: not sent yet</source>
        <translation>Bagian %1 dari %2: belum dikirim</translation>
    </message>
    <message>
        <source>Part %1 of %2: %3</source>
        <translation>Bagian %1 dari %2: %3</translation>
    </message>
    <message>
        <source>To: %1</source>
        <translation>Kepada: %1</translation>
    </message>
    <message>
        <source>From: %1</source>
        <translation>Dari: %1</translation>
    </message>
    <message>
        <source>State: %1</source>
        <translation>Status: %1</translation>
    </message>
    <message>
        <source>The network says: %1</source>
        <translation>Kata jaringan: %1</translation>
    </message>
    <message>
        <source>Written: %1</source>
        <translation>Ditulis: %1</translation>
    </message>
    <message>
        <source>Recorded: %1</source>
        <translation>Dicatat: %1</translation>
    </message>
    <message>
        <source>Sent: %1</source>
        <translation>Terkirim: %1</translation>
    </message>
    <message>
        <source>Delivered: %1</source>
        <translation>Sampai: %1</translation>
    </message>
    <message>
        <source>Received: %1</source>
        <translation>Diterima: %1</translation>
    </message>
    <message>
        <source>Through: %1</source>
        <translation>Melalui: %1</translation>
    </message>
    <message>
        <source>Was kept at: %1</source>
        <translation>Pernah disimpan di: %1</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>Jenis: %1</translation>
    </message>
    <message>
        <source>Its PDUs could not be read again: %1</source>
        <translation>PDU-nya tidak dapat dibaca ulang: %1</translation>
    </message>
    <message>
        <source>Not every part has come: what came is shown.</source>
        <translation>Belum semua bagian diterima: yang sudah diterima ditampilkan.</translation>
    </message>
    <message>
        <source>the message of %1 (%2)</source>
        <translation>pesan tanggal %1 (%2)</translation>
    </message>
    <message>
        <source>message %1</source>
        <translation>pesan %1</translation>
    </message>
    <message>
        <source>Sent again in place of %1</source>
        <translation>Dikirim ulang menggantikan %1</translation>
    </message>
    <message>
        <source>Sent again as %1</source>
        <translation>Sudah dikirim ulang sebagai %1</translation>
    </message>
    <message>
        <source>Part %1 of %2: never sent</source>
        <translation>Bagian %1 dari %2: tidak pernah dikirim</translation>
    </message>
</context>
<context>
    <name>OutboxWindow</name>
    <message>
        <source>paused: the phone stopped answering</source>
        <translation>dijeda: telepon berhenti menjawab</translation>
    </message>
    <message>
        <source>paused: the link to the phone was lost</source>
        <translation>dijeda: sambungan ke telepon putus</translation>
    </message>
    <message>
        <source>paused: no phone is connected</source>
        <translation>dijeda: tidak ada telepon yang tersambung</translation>
    </message>
    <message>
        <source>paused: the history could not record a step</source>
        <translation>dijeda: riwayat tidak dapat mencatat satu langkah</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>dijeda</translation>
    </message>
    <message>
        <source>%1 of %2 sent, %3 failed, %4 uncertain</source>
        <translation>%1 dari %2 terkirim, %3 gagal, %4 tidak pasti</translation>
    </message>
    <message>
        <source>%1 of %2 sent, %3 failed</source>
        <translation>%1 dari %2 terkirim, %3 gagal</translation>
    </message>
    <message>
        <source>starts at %1</source>
        <translation>mulai pukul %1</translation>
    </message>
    <message>
        <source>expires at %1, before all can go</source>
        <translation>kedaluwarsa pukul %1, sebelum semua terkirim</translation>
    </message>
    <message>
        <source>less than a minute left</source>
        <translation>kurang dari semenit lagi</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>sekitar %1 menit lagi</translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation>sekitar %1 jam %2 menit lagi</translation>
    </message>
    <message>
        <source>%1, %2 cancelled</source>
        <translation>%1, %2 dibatalkan</translation>
    </message>
</context>
<context>
    <name>PduFieldsDialog</name>
    <message>
        <source>%1: not read: %2</source>
        <translation>%1: tidak terbaca: %2</translation>
    </message>
    <message>
        <source>%1: SMS-DELIVER from %2</source>
        <translation>%1: SMS-DELIVER dari %2</translation>
    </message>
    <message>
        <source>%1: SMS-SUBMIT to %2</source>
        <translation>%1: SMS-SUBMIT ke %2</translation>
    </message>
    <message>
        <source>%1: SMS-STATUS-REPORT on %2</source>
        <translation>%1: SMS-STATUS-REPORT untuk %2</translation>
    </message>
    <message>
        <source>PDU %1</source>
        <translation>PDU %1</translation>
    </message>
    <message>
        <source>PDUs %1</source>
        <translation>PDU %1</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>Jenis: %1</translation>
    </message>
    <message>
        <source>To: %1</source>
        <translation>Kepada: %1</translation>
    </message>
    <message>
        <source>From: %1</source>
        <translation>Dari: %1</translation>
    </message>
    <message>
        <source>Parts: %1 of %2 came</source>
        <translation>Bagian: %1 dari %2 diterima</translation>
    </message>
    <message>
        <source>Cut short: the user data ends before its stated length</source>
        <translation>Terpotong: data pengguna berakhir sebelum panjang yang disebutkan</translation>
    </message>
    <message>
        <source>Network: %1 %2</source>
        <translation>Jaringan: %1 %2</translation>
    </message>
    <message>
        <source>Bitmap: %1 x %2</source>
        <translation>Bitmap: %1 x %2</translation>
    </message>
    <message>
        <source>Title: %1</source>
        <translation>Judul: %1</translation>
    </message>
    <message>
        <source>Tempo: %1 beats a minute</source>
        <translation>Tempo: %1 ketukan per menit</translation>
    </message>
    <message>
        <source>RTTTL: %1</source>
        <translation>RTTTL: %1</translation>
    </message>
    <message>
        <source>Compressed: Velmora does not read the text; its octets: %1</source>
        <translation>Terkompresi: Velmora tidak membaca teksnya; oktetnya: %1</translation>
    </message>
</context>
<context>
    <name>PhonebookPanel</name>
    <message>
        <source>Contact</source>
        <translation>Kontak</translation>
    </message>
    <message>
        <source>Phone No.</source>
        <translation>No. Telepon</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>No printer is available, so the phone book cannot be printed.</source>
        <translation>Tidak ada printer, jadi buku telepon tidak dapat dicetak.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; did not take the phone book; nothing was printed.</source>
        <translation>Printer &quot;%1&quot; tidak menerima buku telepon; tidak ada yang dicetak.</translation>
    </message>
    <message>
        <source>Read the phone book first (Phone Book, or Phonebook &gt; Read From SIM).</source>
        <translation>Baca buku telepon dulu (Buku Telepon, atau Buku Telepon &gt; Baca dari SIM).</translation>
    </message>
    <message>
        <source>vCard Files</source>
        <translation>Berkas vCard</translation>
    </message>
</context>
<context>
    <name>PrintLayout</name>
    <message>
        <source>***** Phonebook (%1)</source>
        <translation>***** Buku Telepon (%1)</translation>
    </message>
    <message>
        <source>***** Printed On %1</source>
        <translation>***** Dicetak Pada %1</translation>
    </message>
    <message>
        <source>***** Continue to Next Page</source>
        <translation>***** Bersambung ke Halaman Berikutnya</translation>
    </message>
    <message>
        <source>***** End of Phonebook</source>
        <translation>***** Akhir Buku Telepon</translation>
    </message>
</context>
<context>
    <name>Prompter</name>
    <message>
        <source>Warning</source>
        <translation>Peringatan</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About</source>
        <translation>Tentang</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Version 1.00</source>
        <translation>Versi 1.00</translation>
    </message>
    <message>
        <source>Smart Messaging</source>
        <translation>Smart Messaging</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Velmora 1.00 - Smart Messaging</source>
        <translation>Velmora 1.00 - Smart Messaging</translation>
    </message>
    <message>
        <source>Port closed</source>
        <translation>Port tertutup</translation>
    </message>
    <message>
        <source>Port open</source>
        <translation>Port terbuka</translation>
    </message>
    <message>
        <source>RSSI</source>
        <translation>RSSI</translation>
    </message>
    <message>
        <source>RSSI value</source>
        <translation>Nilai RSSI</translation>
    </message>
    <message>
        <source>BER</source>
        <translation>BER</translation>
    </message>
    <message>
        <source>BER value</source>
        <translation>Nilai BER</translation>
    </message>
    <message>
        <source>Last send failed</source>
        <translation>Pengiriman terakhir gagal</translation>
    </message>
    <message>
        <source>Last send succeeded</source>
        <translation>Pengiriman terakhir berhasil</translation>
    </message>
    <message>
        <source>&amp;Phone Book</source>
        <translation>B&amp;uku Telepon</translation>
    </message>
    <message>
        <source>&amp;Send Via SMS</source>
        <translation>Kirim via &amp;SMS</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Sambung</translation>
    </message>
    <message>
        <source>Tx</source>
        <translation>Tx</translation>
    </message>
    <message>
        <source>Rx</source>
        <translation>Rx</translation>
    </message>
    <message>
        <source>CTS</source>
        <translation>CTS</translation>
    </message>
    <message>
        <source>DSR</source>
        <translation>DSR</translation>
    </message>
    <message>
        <source>RLSD</source>
        <translation>RLSD</translation>
    </message>
    <message>
        <source>Content file</source>
        <translation>Berkas isi</translation>
    </message>
    <message>
        <source>Destination Mobile No.</source>
        <translation>No. Ponsel Tujuan</translation>
    </message>
    <message>
        <source>International Format ( Ie: 628569999999 )</source>
        <translation>Format Internasional ( Cth: 628569999999 )</translation>
    </message>
    <message>
        <source>Screen Appearance</source>
        <translation>Tampilan Layar</translation>
    </message>
    <message>
        <source>Content preview</source>
        <translation>Pratinjau isi</translation>
    </message>
    <message>
        <source>Communication Monitor</source>
        <translation>Monitor Komunikasi</translation>
    </message>
    <message>
        <source>Contacts</source>
        <translation>Kontak</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nama</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nomor</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Indeks</translation>
    </message>
    <message>
        <source>Text SMS</source>
        <translation>SMS Teks</translation>
    </message>
    <message>
        <source>Maximum 160 Characters</source>
        <translation>Maksimum 160 Karakter</translation>
    </message>
    <message>
        <source>Characters left</source>
        <translation>Sisa karakter</translation>
    </message>
    <message>
        <source>Message text</source>
        <translation>Teks pesan</translation>
    </message>
    <message>
        <source>Flash Message</source>
        <translation>Pesan Flash</translation>
    </message>
    <message>
        <source>Blinking</source>
        <translation>Berkedip</translation>
    </message>
    <message>
        <source>Long / Unicode</source>
        <translation>Panjang / Unicode</translation>
    </message>
    <message>
        <source>Sends a long text in parts, and any script in Unicode</source>
        <translation>Mengirim teks panjang dalam beberapa bagian, dan aksara apa pun dalam Unicode</translation>
    </message>
    <message>
        <source>Clear Text</source>
        <translation>Hapus Teks</translation>
    </message>
    <message>
        <source>Operator Logo</source>
        <translation>Logo Operator</translation>
    </message>
    <message>
        <source>Operator Logo File</source>
        <translation>Berkas Logo Operator</translation>
    </message>
    <message>
        <source>Operator logo file</source>
        <translation>Berkas logo operator</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Jelajahi</translation>
    </message>
    <message>
        <source>MCC</source>
        <translation>MCC</translation>
    </message>
    <message>
        <source>Mobile Country Code</source>
        <translation>Kode Negara Seluler</translation>
    </message>
    <message>
        <source>NC</source>
        <translation>NC</translation>
    </message>
    <message>
        <source>Network Code</source>
        <translation>Kode Jaringan</translation>
    </message>
    <message>
        <source>Provider</source>
        <translation>Penyedia</translation>
    </message>
    <message>
        <source>Operator logo content</source>
        <translation>Isi logo operator</translation>
    </message>
    <message>
        <source>Group Graphic</source>
        <translation>Grafik Grup</translation>
    </message>
    <message>
        <source>Group Graphic File</source>
        <translation>Berkas Grafik Grup</translation>
    </message>
    <message>
        <source>Group graphic file</source>
        <translation>Berkas grafik grup</translation>
    </message>
    <message>
        <source>Group graphic content</source>
        <translation>Isi grafik grup</translation>
    </message>
    <message>
        <source>Picture Message</source>
        <translation>Pesan Gambar</translation>
    </message>
    <message>
        <source>Picture Message File</source>
        <translation>Berkas Pesan Gambar</translation>
    </message>
    <message>
        <source>Picture message file</source>
        <translation>Berkas pesan gambar</translation>
    </message>
    <message>
        <source>Picture message content</source>
        <translation>Isi pesan gambar</translation>
    </message>
    <message>
        <source>RingTone</source>
        <translation>Nada Dering</translation>
    </message>
    <message>
        <source>Ringtone File</source>
        <translation>Berkas Nada Dering</translation>
    </message>
    <message>
        <source>Ringtone file</source>
        <translation>Berkas nada dering</translation>
    </message>
    <message>
        <source>[ RTTTL Format Only ]</source>
        <translation>[ Hanya Format RTTTL ]</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Judul</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Ringtone text</source>
        <translation>Teks nada dering</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Putar</translation>
    </message>
    <message>
        <source>P&amp;lay</source>
        <translation>Puta&amp;r</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Berhenti</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>Berhent&amp;i</translation>
    </message>
    <message>
        <source>Ringtone content</source>
        <translation>Isi nada dering</translation>
    </message>
    <message>
        <source>Void Message</source>
        <translation>Pesan Kosong</translation>
    </message>
    <message>
        <source>The mobile may discard the contents of the message, and only present the indication to the user.</source>
        <translation>Ponsel boleh membuang isi pesan, dan hanya menampilkan tandanya kepada pengguna.</translation>
    </message>
    <message>
        <source>About void messages</source>
        <translation>Tentang pesan kosong</translation>
    </message>
    <message>
        <source>Indicator</source>
        <translation>Indikator</translation>
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
        <source>Email</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Atur</translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation>Tidak aktif</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktif</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Peringatan</translation>
    </message>
    <message>
        <source>This  feature purpose for education only, please use it wisely and don&apos;t try to harm the other. Use it on your own risk ! We&apos;re not responsible for anything may happened with this feature.</source>
        <translation>Fitur ini hanya untuk tujuan pendidikan, gunakan dengan bijak dan jangan merugikan orang lain. Risiko penggunaan ditanggung sendiri ! Kami tidak bertanggung jawab atas apa pun yang terjadi karena fitur ini.</translation>
    </message>
    <message>
        <source>EMS</source>
        <translation>EMS</translation>
    </message>
    <message>
        <source>Add Animation</source>
        <translation>Tambah Animasi</translation>
    </message>
    <message>
        <source>Add Sound</source>
        <translation>Tambah Suara</translation>
    </message>
    <message>
        <source>Input EMS Text Here !</source>
        <translation>Ketik Teks EMS di Sini !</translation>
    </message>
    <message>
        <source>Add Picture</source>
        <translation>Tambah Gambar</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Berkas</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>&amp;Komunikasi</translation>
    </message>
    <message>
        <source>&amp;Serial Port</source>
        <translation>Port Se&amp;rial</translation>
    </message>
    <message>
        <source>&amp;Baudrate</source>
        <translation>Kecepatan &amp;Baud</translation>
    </message>
    <message>
        <source>&amp;Phonebook</source>
        <translation>Buku &amp;Telepon</translation>
    </message>
    <message>
        <source>&amp;Print All To ...</source>
        <translation>&amp;Cetak Semua Ke ...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>B&amp;antuan</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Buka</translation>
    </message>
    <message>
        <source>Save &amp;As ...</source>
        <translation>Simpan &amp;Sebagai ...</translation>
    </message>
    <message>
        <source>&amp;Picture Editor ...</source>
        <translation>&amp;Editor Gambar ...</translation>
    </message>
    <message>
        <source>&amp;Transmit Log</source>
        <translation>&amp;Log Pengiriman</translation>
    </message>
    <message>
        <source>&amp;Failed Log</source>
        <translation>Log &amp;Gagal</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Keluar</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Sambungkan</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>&amp;Putuskan</translation>
    </message>
    <message>
        <source>&amp;Find Phone ...</source>
        <translation>&amp;Cari Telepon ...</translation>
    </message>
    <message>
        <source>Ask every serial device whether the phone answers there</source>
        <translation>Tanya setiap perangkat serial apakah telepon menjawab di sana</translation>
    </message>
    <message>
        <source>F&amp;ast Dialogue</source>
        <translation>Dialog C&amp;epat</translation>
    </message>
    <message>
        <source>Each command ends at the phone&apos;s answer instead of after fixed pauses</source>
        <translation>Setiap perintah selesai saat telepon menjawab, bukan setelah jeda tetap</translation>
    </message>
    <message>
        <source>Delivery &amp;Report</source>
        <translation>&amp;Laporan Pengiriman</translation>
    </message>
    <message>
        <source>Ask the network to report whether each message arrived (Fast Dialogue)</source>
        <translation>Minta jaringan melaporkan apakah setiap pesan sampai (Dialog Cepat)</translation>
    </message>
    <message>
        <source>Messa&amp;ges</source>
        <translation>Pesa&amp;n</translation>
    </message>
    <message>
        <source>Every message sent and received, kept in the history</source>
        <translation>Semua pesan terkirim dan diterima, tersimpan di riwayat</translation>
    </message>
    <message>
        <source>Sent &amp;Messages</source>
        <translation>Pesan &amp;Terkirim</translation>
    </message>
    <message>
        <source>&amp;Inbox</source>
        <translation>Kotak Mas&amp;uk</translation>
    </message>
    <message>
        <source>The messages kept on the phone and the SIM</source>
        <translation>Pesan yang tersimpan di telepon dan SIM</translation>
    </message>
    <message>
        <source>&amp;Outbox</source>
        <translation>Kotak Kelu&amp;ar</translation>
    </message>
    <message>
        <source>The batches sent to many, and where each message of them stands</source>
        <translation>Kiriman massal ke banyak penerima, dan status tiap pesannya</translation>
    </message>
    <message>
        <source>&amp;Groups…</source>
        <translation>&amp;Grup...</translation>
    </message>
    <message>
        <source>Named lists of recipients: their members, and sending to one</source>
        <translation>Daftar penerima bernama: anggotanya, dan kirim ke satu grup</translation>
    </message>
    <message>
        <source>Mail &amp;Merge…</source>
        <translation>Kirim &amp;Massal...</translation>
    </message>
    <message>
        <source>One text to every contact of a file, each filled in with their own details</source>
        <translation>Satu teks ke setiap kontak dalam berkas, masing-masing diisi dengan datanya sendiri</translation>
    </message>
    <message>
        <source>Make &amp;Group…</source>
        <translation>Buat &amp;Grup...</translation>
    </message>
    <message>
        <source>A group of the entries chosen in the phone book</source>
        <translation>Grup dari entri yang dipilih di buku telepon</translation>
    </message>
    <message>
        <source>&amp;PDU Inspector</source>
        <translation>Pemeriksa P&amp;DU</translation>
    </message>
    <message>
        <source>Take pasted PDUs apart field by field</source>
        <translation>Uraikan PDU yang ditempel per kolom</translation>
    </message>
    <message>
        <source>I&amp;nspect Dialogue PDUs</source>
        <translation>Per&amp;iksa PDU Dialog</translation>
    </message>
    <message>
        <source>The PDUs of the last message sent and of the inbox, in the PDU Inspector</source>
        <translation>PDU pesan terakhir yang dikirim dan kotak masuk, di Pemeriksa PDU</translation>
    </message>
    <message>
        <source>&amp;Read From SIM</source>
        <translation>&amp;Baca dari SIM</translation>
    </message>
    <message>
        <source>&amp;Show Contact</source>
        <translation>&amp;Tampilkan Kontak</translation>
    </message>
    <message>
        <source>&amp;Hide Contact</source>
        <translation>&amp;Sembunyikan Kontak</translation>
    </message>
    <message>
        <source>&amp;Printer</source>
        <translation>&amp;Pencetak</translation>
    </message>
    <message>
        <source>&amp;Text File</source>
        <translation>&amp;Berkas Teks</translation>
    </message>
    <message>
        <source>Export &amp;vCard...</source>
        <translation>Ekspor &amp;vCard...</translation>
    </message>
    <message>
        <source>The phone book read, as cards for a desktop address book</source>
        <translation>Buku telepon yang dibaca, sebagai kartu untuk buku alamat desktop</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Tentang</translation>
    </message>
    <message>
        <source>&amp;Mobile Terminal Information</source>
        <translation>&amp;Informasi Telepon</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>Sampai</translation>
    </message>
    <message>
        <source>Delivered (%1 of %2)</source>
        <translation>Sampai (%1 dari %2)</translation>
    </message>
    <message>
        <source>Title:d=4,o=5,b=125:c,8e,g</source>
        <translation>Judul:d=4,o=5,b=125:c,8e,g</translation>
    </message>
    <message>
        <source>&amp;New Entry...</source>
        <translation>Entri Ba&amp;ru...</translation>
    </message>
    <message>
        <source>Write a new entry to a free place of the SIM&apos;s phone book</source>
        <translation>Tulis entri baru di tempat kosong buku telepon SIM</translation>
    </message>
    <message>
        <source>&amp;Edit Entry...</source>
        <translation>&amp;Ubah Entri...</translation>
    </message>
    <message>
        <source>Change the entry chosen in the list, on the SIM</source>
        <translation>Ubah entri yang dipilih di daftar, langsung di SIM</translation>
    </message>
    <message>
        <source>&amp;Delete Entry</source>
        <translation>&amp;Hapus Entri</translation>
    </message>
    <message>
        <source>Delete the entry chosen in the list from the SIM</source>
        <translation>Hapus entri yang dipilih di daftar dari SIM</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Impor...</translation>
    </message>
    <message>
        <source>Write the contacts of a vCard or CSV file to the SIM&apos;s free places</source>
        <translation>Tulis kontak dari berkas vCard atau CSV ke tempat kosong di SIM</translation>
    </message>
    <message>
        <source>&amp;Back Up Message Store...</source>
        <translation>&amp;Cadangkan Penyimpanan Pesan...</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Mobile Terminal Information</source>
        <translation>Informasi Telepon</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Pabrikan</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>F/W Version</source>
        <translation>Versi F/W</translation>
    </message>
    <message>
        <source>IMSI</source>
        <translation>IMSI</translation>
    </message>
    <message>
        <source>Service Center</source>
        <translation>Pusat Layanan</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TextTab</name>
    <message>
        <source>Maximum 69 Characters</source>
        <translation>Maksimum 69 Karakter</translation>
    </message>
    <message>
        <source>Maximum 160 Characters</source>
        <translation>Maksimum 160 Karakter</translation>
    </message>
    <message>
        <source>Long: 160 characters per message, 153 per part</source>
        <translation>Panjang: 160 karakter per pesan, 153 per bagian</translation>
    </message>
    <message>
        <source>Unicode: 70 characters per message, 67 per part</source>
        <translation>Unicode: 70 karakter per pesan, 67 per bagian</translation>
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
        <translation>pemakaian: velmora [--device PATH | --device COMn=PATH ...]
           velmora --help | --version

Mengirim SMS melalui telepon GSM atau modem USB dengan kabel serial atau USB.

  --device PATH         perangkat untuk port mana pun yang dipilih, hanya untuk kali ini
  --device COMn=PATH    perangkat yang diwakili COMn, hanya untuk kali ini (boleh diulang)
  --help                tampilkan bantuan ini lalu keluar
  --version             tampilkan versi lalu keluar
</translation>
    </message>
    <message>
        <source>--device needs a value</source>
        <translation>--device perlu nilai</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>opsi tidak dikenal %1</translation>
    </message>
</context>
<context>
    <name>velmora::BusRunningProgram</name>
    <message>
        <source>the running Velmora program</source>
        <translation>program Velmora yang sedang berjalan</translation>
    </message>
    <message>
        <source>%1 did not answer (%2); the message may have been queued all the same: look in Messages before sending it again</source>
        <translation>%1 tidak menjawab (%2); pesan itu mungkin tetap sudah diantrekan: lihat di Pesan sebelum mengirimnya lagi</translation>
    </message>
</context>
<context>
    <name>velmora::ConversationModel</name>
    <message>
        <source>All messages</source>
        <translation>Semua pesan</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Terkirim</translation>
    </message>
    <message>
        <source>Every message sent, to any number</source>
        <translation>Semua pesan terkirim, ke nomor mana pun</translation>
    </message>
    <message>
        <source>Every message, sent and received</source>
        <translation>Semua pesan, terkirim dan diterima</translation>
    </message>
    <message>
        <source>%1
1 message, the last %2:
%3</source>
        <translation>%1
1 pesan, terakhir %2:
%3</translation>
    </message>
    <message>
        <source>%1
%2 messages, the last %3:
%4</source>
        <translation>%1
%2 pesan, terakhir %3:
%4</translation>
    </message>
    <message>
        <source>Conversation</source>
        <translation>Percakapan</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Terakhir</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Pesan</translation>
    </message>
</context>
<context>
    <name>velmora::ElidedLabel</name>
    <message>
        <source>Content file</source>
        <translation>Berkas isi</translation>
    </message>
</context>
<context>
    <name>velmora::FindPhoneDialog</name>
    <message>
        <source>Find Phone</source>
        <translation>Cari Telepon</translation>
    </message>
    <message>
        <source>Serial devices</source>
        <translation>Perangkat serial</translation>
    </message>
    <message>
        <source>One row per device: its port, its path and what it answered</source>
        <translation>Satu baris per perangkat: port, path, dan jawabannya</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Perangkat</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Jawaban</translation>
    </message>
    <message>
        <source>&amp;Use This Port</source>
        <translation>&amp;Pakai Port Ini</translation>
    </message>
    <message>
        <source>Use This Port</source>
        <translation>Pakai Port Ini</translation>
    </message>
    <message>
        <source>busy: this window is connected to it</source>
        <translation>sibuk: jendela ini tersambung ke sini</translation>
    </message>
    <message>
        <source>asking ...</source>
        <translation>menanyakan ...</translation>
    </message>
    <message>
        <source>No serial device is present for COM1 to COM9.</source>
        <translation>Tidak ada perangkat serial untuk COM1 sampai COM9.</translation>
    </message>
    <message>
        <source>Asking 1 device whether a phone answers ...</source>
        <translation>Menanyakan 1 perangkat apakah ada telepon yang menjawab ...</translation>
    </message>
    <message>
        <source>Asking %1 devices whether a phone answers ...</source>
        <translation>Menanyakan %1 perangkat apakah ada telepon yang menjawab ...</translation>
    </message>
    <message>
        <source>No other phone answered.</source>
        <translation>Tidak ada telepon lain yang menjawab.</translation>
    </message>
    <message>
        <source>A phone answered on %1.</source>
        <translation>Telepon menjawab di %1.</translation>
    </message>
    <message>
        <source>No phone answered.</source>
        <translation>Tidak ada telepon yang menjawab.</translation>
    </message>
    <message>
        <source>This window is connected on %1. %2</source>
        <translation>Jendela ini tersambung di %1. %2</translation>
    </message>
</context>
<context>
    <name>velmora::GroupsDialog</name>
    <message>
        <source>&amp;Rename…</source>
        <translation>&amp;Ganti Nama...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Hapus</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Impor...</translation>
    </message>
    <message>
        <source>&amp;Send to Group</source>
        <translation>&amp;Kirim ke Grup</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Grup</translation>
    </message>
    <message>
        <source>Members of the group</source>
        <translation>Anggota grup</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nama</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nomor</translation>
    </message>
    <message>
        <source>Make a group from a contacts file (CSV) with a column of numbers</source>
        <translation>Buat grup dari berkas kontak (CSV) yang punya kolom nomor</translation>
    </message>
    <message>
        <source>Put the group&apos;s name into the destination: Send sends to every member</source>
        <translation>Masukkan nama grup ke tujuan: Kirim akan mengirim ke setiap anggota</translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation>Ganti Nama Grup</translation>
    </message>
    <message>
        <source>New name of the group:</source>
        <translation>Nama baru grup:</translation>
    </message>
    <message>
        <source>Delete the group &quot;%1&quot;? Its %2 members stay in the phone book.</source>
        <translation>Hapus grup &quot;%1&quot;? %2 anggotanya tetap ada di buku telepon.</translation>
    </message>
    <message>
        <source>Contact Lists</source>
        <translation>Daftar Kontak</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Semua Berkas</translation>
    </message>
    <message>
        <source>%1 holds no number, so no group was made.</source>
        <translation>%1 tidak berisi nomor, jadi grup tidak dibuat.</translation>
    </message>
    <message>
        <source>Import Contacts</source>
        <translation>Impor Kontak</translation>
    </message>
    <message>
        <source>Name of the group of the %1 contacts of %2:</source>
        <translation>Nama grup untuk %1 kontak dari %2:</translation>
    </message>
    <message>
        <source>A group named &quot;%1&quot; exists. Replace its %2 members with these %3?</source>
        <translation>Grup bernama &quot;%1&quot; sudah ada. Ganti %2 anggotanya dengan %3 kontak ini?</translation>
    </message>
</context>
<context>
    <name>velmora::InboxDialog</name>
    <message>
        <source>&amp;Read From Phone</source>
        <translation>&amp;Baca dari Telepon</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Hapus</translation>
    </message>
    <message>
        <source>Inbox</source>
        <translation>Kotak Masuk</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Pesan</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Waktu</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Dari</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Pesan</translation>
    </message>
    <message>
        <source>Choose a message to read it in full.</source>
        <translation>Pilih pesan untuk membacanya utuh.</translation>
    </message>
    <message>
        <source>Reading the inbox</source>
        <translation>Membaca kotak masuk</translation>
    </message>
    <message>
        <source>To %1</source>
        <translation>Ke %1</translation>
    </message>
</context>
<context>
    <name>velmora::MailMergeDialog</name>
    <message>
        <source>Contacts &amp;file…</source>
        <translation>&amp;Berkas kontak...</translation>
    </message>
    <message>
        <source>Send &amp;at:</source>
        <translation>Kirim &amp;pada:</translation>
    </message>
    <message>
        <source>&amp;Expire at:</source>
        <translation>&amp;Kedaluwarsa pada:</translation>
    </message>
    <message>
        <source>Mail Merge</source>
        <translation>Kirim Massal</translation>
    </message>
    <message>
        <source>Contacts file</source>
        <translation>Berkas kontak</translation>
    </message>
    <message>
        <source>Contacts file path</source>
        <translation>Path berkas kontak</translation>
    </message>
    <message>
        <source>Number column</source>
        <translation>Kolom nomor</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Teks</translation>
    </message>
    <message>
        <source>The same content goes to every row.</source>
        <translation>Isi yang sama dikirim ke setiap baris.</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Pratinjau</translation>
    </message>
    <message>
        <source>One row a contact: its number, name, text, coding and parts, or why it is left out</source>
        <translation>Satu baris per kontak: nomor, nama, teks, pengodean, dan jumlah bagian, atau alasan tidak disertakan</translation>
    </message>
    <message>
        <source>Seconds between messages</source>
        <translation>Detik antarpesan</translation>
    </message>
    <message>
        <source> s</source>
        <translation> dtk</translation>
    </message>
    <message>
        <source>Messages an hour at most</source>
        <translation>Pesan per jam paling banyak</translation>
    </message>
    <message>
        <source>no cap</source>
        <translation>tanpa batas</translation>
    </message>
    <message>
        <source>&amp;Queue</source>
        <translation>&amp;Antrekan</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Antrekan</translation>
    </message>
    <message>
        <source>&amp;Numbers in:</source>
        <translation>&amp;Nomor di:</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>&amp;Teks:</translation>
    </message>
    <message>
        <source>&amp;Interval:</source>
        <translation>&amp;Selang:</translation>
    </message>
    <message>
        <source>At most an &amp;hour:</source>
        <translation>Maksimum per &amp;jam:</translation>
    </message>
    <message>
        <source>Contacts (CSV)</source>
        <translation>Kontak (CSV)</translation>
    </message>
    <message>
        <source>Text files</source>
        <translation>Berkas teks</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Semua berkas</translation>
    </message>
    <message>
        <source>Placeholders: %1</source>
        <translation>Isian: %1</translation>
    </message>
    <message>
        <source>Choose a contacts file: a header row, then one row a contact.</source>
        <translation>Pilih berkas kontak: satu baris judul, lalu satu baris per kontak.</translation>
    </message>
    <message>
        <source>Choose the column of the numbers.</source>
        <translation>Pilih kolom nomornya.</translation>
    </message>
    <message>
        <source>Checking 1 row…</source>
        <translation>Memeriksa 1 baris...</translation>
    </message>
    <message>
        <source>Checking %1 rows…</source>
        <translation>Memeriksa %1 baris...</translation>
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
        <source>%1.</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1, %2 left out: %3 and %4 more.</source>
        <translation>%1, %2 tidak disertakan: %3 dan %4 lainnya.</translation>
    </message>
    <message>
        <source>%1, %2 left out: %3.</source>
        <translation>%1, %2 tidak disertakan: %3.</translation>
    </message>
    <message>
        <source>No column is named %1: mend the text or the file. %2</source>
        <translation>Tidak ada kolom bernama %1: perbaiki teks atau berkasnya. %2</translation>
    </message>
    <message>
        <source>The messages would expire before the first of them could go: set the expiry after the start.</source>
        <translation>Pesan akan kedaluwarsa sebelum yang pertama sempat terkirim: atur waktu kedaluwarsa setelah waktu mulai.</translation>
    </message>
</context>
<context>
    <name>velmora::MergePreviewModel</name>
    <message>
        <source>Number</source>
        <translation>Nomor</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nama</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Teks</translation>
    </message>
    <message>
        <source>Coding</source>
        <translation>Pengodean</translation>
    </message>
    <message>
        <source>Parts</source>
        <translation>Bagian</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Masalah</translation>
    </message>
</context>
<context>
    <name>velmora::MessageListModel</name>
    <message>
        <source>To %1</source>
        <translation>Ke %1</translation>
    </message>
    <message>
        <source>From %1</source>
        <translation>Dari %1</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Waktu</translation>
    </message>
    <message>
        <source>With</source>
        <translation>Dengan</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Jenis</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Pesan</translation>
    </message>
    <message>
        <source>%1; sent again</source>
        <translation>%1; sudah dikirim ulang</translation>
    </message>
    <message>
        <source>%1; sent again in place of an earlier one</source>
        <translation>%1; kiriman ulang pesan sebelumnya</translation>
    </message>
</context>
<context>
    <name>velmora::MessagesWindow</name>
    <message>
        <source>&amp;Resend</source>
        <translation>Kirim &amp;Ulang</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Teruskan</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Salin</translation>
    </message>
    <message>
        <source>&amp;Delete from History</source>
        <translation>&amp;Hapus dari Riwayat</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Pesan</translation>
    </message>
    <message>
        <source>Search messages</source>
        <translation>Cari pesan</translation>
    </message>
    <message>
        <source>Search texts, names and numbers</source>
        <translation>Cari teks, nama, dan nomor</translation>
    </message>
    <message>
        <source>Conversations</source>
        <translation>Percakapan</translation>
    </message>
    <message>
        <source>Messages of the conversation</source>
        <translation>Pesan dalam percakapan</translation>
    </message>
    <message>
        <source>Picture of the message</source>
        <translation>Gambar pesan</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Pesan</translation>
    </message>
    <message>
        <source>Choose a message to read it in full.</source>
        <translation>Pilih pesan untuk membacanya utuh.</translation>
    </message>
    <message>
        <source>Send a message that failed, or whose fate is not known, again</source>
        <translation>Kirim ulang pesan yang gagal atau yang nasibnya tidak diketahui</translation>
    </message>
    <message>
        <source>Put the message into the tabs to send it on</source>
        <translation>Masukkan pesan ke tab untuk diteruskan</translation>
    </message>
    <message>
        <source>Copy the message&apos;s text</source>
        <translation>Salin teks pesan</translation>
    </message>
    <message>
        <source>The message history is not open.</source>
        <translation>Riwayat pesan tidak terbuka.</translation>
    </message>
    <message>
        <source>Reading the history ...</source>
        <translation>Membaca riwayat ...</translation>
    </message>
    <message>
        <source>Type %1 characters or more to search.</source>
        <translation>Ketik %1 karakter atau lebih untuk mencari.</translation>
    </message>
    <message>
        <source>No messages yet.</source>
        <translation>Belum ada pesan.</translation>
    </message>
    <message>
        <source>1 message</source>
        <translation>1 pesan</translation>
    </message>
    <message>
        <source>%1 messages</source>
        <translation>%1 pesan</translation>
    </message>
    <message>
        <source>No message matches &quot;%1&quot;.</source>
        <translation>Tidak ada pesan yang cocok dengan &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>1 message matches &quot;%1&quot;.</source>
        <translation>1 pesan cocok dengan &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>%1 messages match &quot;%2&quot;.</source>
        <translation>%1 pesan cocok dengan &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Send this message to %1 again?</source>
        <translation>Kirim pesan ini ke %1 lagi?</translation>
    </message>
    <message>
        <source>The text is copied.</source>
        <translation>Teks sudah disalin.</translation>
    </message>
    <message>
        <source>Delete this message to %1 from the history?</source>
        <translation>Hapus pesan ke %1 ini dari riwayat?</translation>
    </message>
    <message>
        <source>Delete this message from %1 from the history?</source>
        <translation>Hapus pesan dari %1 ini dari riwayat?</translation>
    </message>
    <message>
        <source>The message was not deleted: %1</source>
        <translation>Pesan tidak dihapus: %1</translation>
    </message>
</context>
<context>
    <name>velmora::OutboxWindow</name>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Jeda</translation>
    </message>
    <message>
        <source>&amp;Cancel the Rest</source>
        <translation>Batalkan &amp;Sisanya</translation>
    </message>
    <message>
        <source>Send &amp;Again</source>
        <translation>Kirim &amp;Ulang</translation>
    </message>
    <message>
        <source>&amp;Drop</source>
        <translation>&amp;Buang</translation>
    </message>
    <message>
        <source>Outbox</source>
        <translation>Kotak Keluar</translation>
    </message>
    <message>
        <source>Batches</source>
        <translation>Kiriman massal</translation>
    </message>
    <message>
        <source>Batch</source>
        <translation>Kiriman</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Kemajuan</translation>
    </message>
    <message>
        <source>Batch progress</source>
        <translation>Kemajuan kiriman</translation>
    </message>
    <message>
        <source>Recipients of the batch</source>
        <translation>Penerima kiriman ini</translation>
    </message>
    <message>
        <source>Hold the batch&apos;s messages back, or let them go again</source>
        <translation>Tahan pesan kiriman ini, atau lanjutkan lagi</translation>
    </message>
    <message>
        <source>Take the messages not sent yet out of the batch</source>
        <translation>Keluarkan pesan yang belum terkirim dari kiriman</translation>
    </message>
    <message>
        <source>Put the chosen failed or uncertain messages back in the queue</source>
        <translation>Masukkan lagi pesan gagal atau tidak pasti yang dipilih ke antrean</translation>
    </message>
    <message>
        <source>Take the chosen queued messages out of the batch; an uncertain one is marked as dealt with, since it may have gone</source>
        <translation>Keluarkan pesan antrean yang dipilih dari kiriman; pesan tidak pasti ditandai sudah ditangani, karena mungkin sudah terkirim</translation>
    </message>
    <message>
        <source>The history is not open, so no batch can be shown.</source>
        <translation>Riwayat tidak terbuka, jadi tidak ada kiriman yang dapat ditampilkan.</translation>
    </message>
    <message>
        <source>No batch has been queued.</source>
        <translation>Belum ada kiriman dalam antrean.</translation>
    </message>
    <message>
        <source>Batch %1</source>
        <translation>Kiriman %1</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>&amp;Lanjutkan</translation>
    </message>
    <message>
        <source>Take the %1 messages not sent yet out of &quot;%2&quot;? They will not be sent.</source>
        <translation>Keluarkan %1 pesan yang belum terkirim dari &quot;%2&quot;? Pesan itu tidak akan dikirim.</translation>
    </message>
</context>
<context>
    <name>velmora::PduFieldsDialog</name>
    <message>
        <source>&amp;Without service centre</source>
        <translation>&amp;Tanpa pusat layanan</translation>
    </message>
    <message>
        <source>&amp;Load into Tab</source>
        <translation>&amp;Muat ke Tab</translation>
    </message>
    <message>
        <source>Pla&amp;y</source>
        <translation>&amp;Putar</translation>
    </message>
    <message>
        <source>PDU Inspector</source>
        <translation>Pemeriksa PDU</translation>
    </message>
    <message>
        <source>PDUs</source>
        <translation>PDU</translation>
    </message>
    <message>
        <source>Paste PDUs here, one a line.</source>
        <translation>Tempel PDU di sini, satu per baris.</translation>
    </message>
    <message>
        <source>Without service centre</source>
        <translation>Tanpa pusat layanan</translation>
    </message>
    <message>
        <source>PDU</source>
        <translation>PDU</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>Kolom</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Kolom</translation>
    </message>
    <message>
        <source>Octets</source>
        <translation>Oktet</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Nilai</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Arti</translation>
    </message>
    <message>
        <source>PDU octets</source>
        <translation>Oktet PDU</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>Kesalahan</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Pesan</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Isi</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>Load into Tab</source>
        <translation>Muat ke Tab</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Putar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Tutup</translation>
    </message>
    <message>
        <source>P&amp;DUs:</source>
        <translation>P&amp;DU:</translation>
    </message>
    <message>
        <source>&amp;Inspect:</source>
        <translation>P&amp;eriksa:</translation>
    </message>
    <message>
        <source>&amp;Fields:</source>
        <translation>&amp;Kolom:</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>Pe&amp;san:</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>Berhent&amp;i</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Berhenti</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>tidak terbaca</translation>
    </message>
    <message>
        <source>Not read whole: %1</source>
        <translation>Tidak terbaca utuh: %1</translation>
    </message>
    <message>
        <source>Read as far as it goes: the user data ends before its stated length</source>
        <translation>Dibaca sejauh mungkin: data pengguna berakhir sebelum panjang yang disebutkan</translation>
    </message>
    <message>
        <source>Not read: %1</source>
        <translation>Tidak terbaca: %1</translation>
    </message>
</context>
<context>
    <name>velmora::PhonebookEditor</name>
    <message>
        <source>Choose an entry in the phone book&apos;s list first (Phone Book reads it from the SIM).</source>
        <translation>Pilih dulu sebuah entri di daftar buku telepon (Buku Telepon membacanya dari SIM).</translation>
    </message>
    <message>
        <source>Delete %1 (%2) at place %3 from the SIM?</source>
        <translation>Hapus %1 (%2) di tempat %3 dari SIM?</translation>
    </message>
    <message>
        <source>Contacts</source>
        <translation>Kontak</translation>
    </message>
    <message>
        <source>vCard Files</source>
        <translation>Berkas vCard</translation>
    </message>
    <message>
        <source>CSV Files</source>
        <translation>Berkas CSV</translation>
    </message>
    <message>
        <source>%1 holds no contact with a number.
%2</source>
        <translation>%1 tidak berisi kontak yang punya nomor.
%2</translation>
    </message>
    <message>
        <source>The SIM&apos;s phone book is full: all its %1 places hold an entry.</source>
        <translation>Buku telepon SIM penuh: ke-%1 tempatnya sudah terisi.</translation>
    </message>
    <message>
        <source>Place %1 is empty now; the list is read again.</source>
        <translation>Tempat %1 sekarang kosong; daftar dibaca ulang.</translation>
    </message>
    <message>
        <source>Place %1 holds %2 (%3). Write the new entry over it?</source>
        <translation>Tempat %1 berisi %2 (%3). Timpa dengan entri baru?</translation>
    </message>
</context>
<context>
    <name>velmora::PhonebookEntryDialog</name>
    <message>
        <source>New Phone Book Entry</source>
        <translation>Entri Buku Telepon Baru</translation>
    </message>
    <message>
        <source>Edit Phone Book Entry</source>
        <translation>Ubah Entri Buku Telepon</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Tempat</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nama</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nomor</translation>
    </message>
    <message>
        <source>+628123456789</source>
        <translation>+628123456789</translation>
    </message>
    <message>
        <source>&amp;Place:</source>
        <translation>&amp;Tempat:</translation>
    </message>
    <message>
        <source>N&amp;ame:</source>
        <translation>N&amp;ama:</translation>
    </message>
    <message>
        <source>N&amp;umber:</source>
        <translation>N&amp;omor:</translation>
    </message>
    <message>
        <source>&amp;Write to SIM</source>
        <translation>T&amp;ulis ke SIM</translation>
    </message>
    <message>
        <source>%1 of %2 characters (%3)</source>
        <translation>%1 dari %2 karakter (%3)</translation>
    </message>
    <message>
        <source>%1 characters (%2)</source>
        <translation>%1 karakter (%2)</translation>
    </message>
    <message>
        <source>This place is free.</source>
        <translation>Tempat ini kosong.</translation>
    </message>
    <message>
        <source>This place holds %1 (%2); writing asks first.</source>
        <translation>Tempat ini berisi %1 (%2); akan ditanya dulu sebelum ditimpa.</translation>
    </message>
</context>
<context>
    <name>velmora::PhonebookImportDialog</name>
    <message>
        <source>Place</source>
        <translation>Tempat</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nama</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nomor</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Catatan</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Baris</translation>
    </message>
    <message>
        <source>Why it is left out</source>
        <translation>Alasan dilewati</translation>
    </message>
    <message>
        <source>Import to SIM: %1</source>
        <translation>Impor ke SIM: %1</translation>
    </message>
    <message>
        <source>Entries to write</source>
        <translation>Entri yang akan ditulis</translation>
    </message>
    <message>
        <source>Contacts left out</source>
        <translation>Kontak yang dilewati</translation>
    </message>
    <message>
        <source>&amp;Cut names longer than the SIM holds (%1 characters)</source>
        <translation>&amp;Potong nama yang lebih panjang dari batas SIM (%1 karakter)</translation>
    </message>
    <message>
        <source>Left out:</source>
        <translation>Dilewati:</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>&amp;Tulis</translation>
    </message>
    <message>
        <source>cut from &quot;%1&quot;</source>
        <translation>dipotong dari &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 entries go to the SIM&apos;s free places, %2 of them with their names cut; %3 contacts are left out. Nothing is written until you choose Write.</source>
        <translation>%1 entri masuk ke tempat kosong di SIM, %2 di antaranya dengan nama dipotong; %3 kontak dilewati. Tidak ada yang ditulis sebelum Anda memilih Tulis.</translation>
    </message>
    <message>
        <source>&amp;Write %1 Entries</source>
        <translation>&amp;Tulis %1 Entri</translation>
    </message>
</context>
<context>
    <name>velmora::PictureCanvas</name>
    <message>
        <source>Picture editor</source>
        <translation>Editor gambar</translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation>%1 × %2 piksel</translation>
    </message>
</context>
<context>
    <name>velmora::PictureEditorDialog</name>
    <message>
        <source>Picture Editor</source>
        <translation>Editor Gambar</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Kosongkan</translation>
    </message>
    <message>
        <source>Clear picture</source>
        <translation>Kosongkan gambar</translation>
    </message>
    <message>
        <source>&amp;Invert</source>
        <translation>&amp;Balik Warna</translation>
    </message>
    <message>
        <source>Invert picture</source>
        <translation>Balik warna gambar</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Kiri</translation>
    </message>
    <message>
        <source>Shift left</source>
        <translation>Geser ke kiri</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Kanan</translation>
    </message>
    <message>
        <source>Shift right</source>
        <translation>Geser ke kanan</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Atas</translation>
    </message>
    <message>
        <source>Shift up</source>
        <translation>Geser ke atas</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Bawah</translation>
    </message>
    <message>
        <source>Shift down</source>
        <translation>Geser ke bawah</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Urungkan</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Urungkan</translation>
    </message>
    <message>
        <source>&amp;Threshold</source>
        <translation>&amp;Ambang</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Ambang</translation>
    </message>
    <message>
        <source>Threshold value</source>
        <translation>Nilai ambang</translation>
    </message>
    <message>
        <source>&amp;Dither</source>
        <translation>&amp;Dither</translation>
    </message>
    <message>
        <source>Dither</source>
        <translation>Dither</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Tutup</translation>
    </message>
    <message>
        <source>%1: %2 × %3 pixels</source>
        <translation>%1: %2 × %3 piksel</translation>
    </message>
    <message>
        <source>Converted from a picture file. Moving the threshold or switching Dither converts it again and replaces any pixels changed by hand.</source>
        <translation>Diubah dari berkas gambar. Menggeser ambang atau mengganti Dither akan mengubahnya lagi dan menimpa piksel yang diubah dengan tangan.</translation>
    </message>
    <message>
        <source>Threshold and Dither convert a picture loaded from a PNG, JPEG, GIF, SVG or colour BMP file.</source>
        <translation>Ambang dan Dither mengubah gambar yang dimuat dari berkas PNG, JPEG, GIF, SVG, atau BMP berwarna.</translation>
    </message>
</context>
<context>
    <name>velmora::RunningMessagesDialog</name>
    <message>
        <source>Messages of %1</source>
        <translation>Pesan %1</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Waktu</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nomor</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Teks</translation>
    </message>
    <message>
        <source>%1 could not list its messages: %2</source>
        <translation>%1 tidak dapat mendaftar pesannya: %2</translation>
    </message>
    <message>
        <source>To %1</source>
        <translation>Ke %1</translation>
    </message>
    <message>
        <source>From %1</source>
        <translation>Dari %1</translation>
    </message>
    <message>
        <source>The newest messages (at most %1), as %2 lists them: its store cannot be read here.</source>
        <translation>Pesan terbaru (paling banyak %1), sebagaimana didaftar oleh %2: penyimpanannya tidak dapat dibaca di sini.</translation>
    </message>
</context>
<context>
    <name>velmora::SignalCircle</name>
    <message>
        <source>off</source>
        <translation>mati</translation>
    </message>
    <message>
        <source>on</source>
        <translation>nyala</translation>
    </message>
</context>
<context>
    <name>velmora::SinkOutput</name>
    <message>
        <source>No audio output: the tune cannot be played here.</source>
        <translation>Tidak ada keluaran audio: lagu tidak dapat diputar di sini.</translation>
    </message>
    <message>
        <source>The audio output &quot;%1&quot; cannot play 16-bit mono sound.</source>
        <translation>Keluaran audio &quot;%1&quot; tidak dapat memutar suara mono 16-bit.</translation>
    </message>
    <message>
        <source>The audio output &quot;%1&quot; cannot be opened.</source>
        <translation>Keluaran audio &quot;%1&quot; tidak dapat dibuka.</translation>
    </message>
    <message>
        <source>The audio output cannot be opened.</source>
        <translation>Keluaran audio tidak dapat dibuka.</translation>
    </message>
    <message>
        <source>The audio output stopped playing the tune.</source>
        <translation>Keluaran audio berhenti memutar lagu.</translation>
    </message>
</context>
<context>
    <name>velmora::TForm1</name>
    <message>
        <source>Please Open Communication Port !</source>
        <translation>Silakan Buka Port Komunikasi !</translation>
    </message>
    <message>
        <source>Batch being sent</source>
        <translation>Kiriman yang sedang dikirim</translation>
    </message>
    <message>
        <source>COM%1 is %2</source>
        <translation>COM%1 adalah %2</translation>
    </message>
    <message>
        <source>No viewer could be asked to open %1</source>
        <translation>Tidak ada penampil yang dapat membuka %1</translation>
    </message>
    <message>
        <source>Reading the messages on the phone ...</source>
        <translation>Membaca pesan di telepon ...</translation>
    </message>
    <message>
        <source>Connect to the phone to read its messages.</source>
        <translation>Sambungkan ke telepon untuk membaca pesannya.</translation>
    </message>
    <message>
        <source>1 message on the phone so far: the read was stopped.</source>
        <translation>Sejauh ini 1 pesan di telepon: pembacaan dihentikan.</translation>
    </message>
    <message>
        <source>1 message on the phone.</source>
        <translation>1 pesan di telepon.</translation>
    </message>
    <message>
        <source>%1 messages on the phone so far: the read was stopped.</source>
        <translation>Sejauh ini %1 pesan di telepon: pembacaan dihentikan.</translation>
    </message>
    <message>
        <source>%1 messages on the phone.</source>
        <translation>%1 pesan di telepon.</translation>
    </message>
    <message>
        <source>Delete the message that could not be read (%1) from the phone?</source>
        <translation>Hapus pesan yang tidak dapat dibaca (%1) dari telepon?</translation>
    </message>
    <message>
        <source>Delete the message to %1 from the phone?</source>
        <translation>Hapus pesan ke %1 dari telepon?</translation>
    </message>
    <message>
        <source>Delete the message from %1 from the phone?</source>
        <translation>Hapus pesan dari %1 dari telepon?</translation>
    </message>
    <message>
        <source>Deleting ...</source>
        <translation>Menghapus ...</translation>
    </message>
    <message>
        <source>Not deleted: %1</source>
        <translation>Tidak dihapus: %1</translation>
    </message>
    <message>
        <source>The message was not deleted: %1</source>
        <translation>Pesan tidak dihapus: %1</translation>
    </message>
    <message>
        <source>The message was deleted from the phone. %1</source>
        <translation>Pesan sudah dihapus dari telepon. %1</translation>
    </message>
    <message>
        <source>New message from %1</source>
        <translation>Pesan baru dari %1</translation>
    </message>
    <message>
        <source>New message from %1. %2</source>
        <translation>Pesan baru dari %1. %2</translation>
    </message>
    <message>
        <source>The SIM asks for its PIN:</source>
        <translation>SIM meminta PIN:</translation>
    </message>
    <message>
        <source>The SIM asks for its PIN (1 try left):</source>
        <translation>SIM meminta PIN (sisa 1 kali coba):</translation>
    </message>
    <message>
        <source>The SIM asks for its PIN (%1 tries left):</source>
        <translation>SIM meminta PIN (sisa %1 kali coba):</translation>
    </message>
    <message>
        <source>SIM PIN</source>
        <translation>PIN SIM</translation>
    </message>
    <message>
        <source>Nothing was queued: %1</source>
        <translation>Tidak ada yang masuk antrean: %1</translation>
    </message>
    <message>
        <source>Nothing was queued:
%1</source>
        <translation>Tidak ada yang masuk antrean:
%1</translation>
    </message>
    <message>
        <source>These cannot be sent to:
%1

Queue the message to the other %2?</source>
        <translation>Tidak dapat dikirim ke:
%1

Antrekan pesan ke %2 penerima lainnya?</translation>
    </message>
    <message>
        <source>The same message to the same recipients was already queued as batch %1. Queue it again?</source>
        <translation>Pesan yang sama ke penerima yang sama sudah diantrekan sebagai kiriman %1. Antrekan lagi?</translation>
    </message>
    <message>
        <source>Nothing was queued: 
%1</source>
        <translation>Tidak ada yang masuk antrean: 
%1</translation>
    </message>
    <message>
        <source>Batch %1 was queued without these:
%2</source>
        <translation>Kiriman %1 diantrekan tanpa penerima ini:
%2</translation>
    </message>
    <message>
        <source>No group can be kept: %1</source>
        <translation>Grup tidak dapat disimpan: %1</translation>
    </message>
    <message>
        <source>Choose the entries of the group in the phone book first.</source>
        <translation>Pilih dulu entri grup di buku telepon.</translation>
    </message>
    <message>
        <source>Make Group</source>
        <translation>Buat Grup</translation>
    </message>
    <message>
        <source>Name of the group of %1 entries:</source>
        <translation>Nama grup untuk %1 entri:</translation>
    </message>
    <message>
        <source>%1 of %2 sent</source>
        <translation>%1 dari %2 terkirim</translation>
    </message>
    <message>
        <source>A batch is still being sent: %1 messages are queued. Leave them queued for the next start?</source>
        <translation>Masih ada kiriman yang sedang dikirim: %1 pesan dalam antrean. Biarkan tetap dalam antrean untuk saat program dibuka lagi?</translation>
    </message>
    <message>
        <source>No PDUs yet: send a message or read the inbox first.</source>
        <translation>Belum ada PDU: kirim pesan atau baca kotak masuk dulu.</translation>
    </message>
    <message>
        <source>The %1 from the inspector is in its tab.</source>
        <translation>%1 dari pemeriksa ada di tabnya.</translation>
    </message>
    <message>
        <source>%1 Turn on Long / Unicode to send them.</source>
        <translation>%1 Nyalakan Panjang / Unicode untuk mengirimnya.</translation>
    </message>
    <message>
        <source>Sending SMS Part (%1)</source>
        <translation>Mengirim Bagian SMS (%1)</translation>
    </message>
    <message>
        <source>Nothing was sent: %1</source>
        <translation>Tidak ada yang dikirim: %1</translation>
    </message>
    <message>
        <source>A message is being sent; send this one after it.</source>
        <translation>Ada pesan yang sedang dikirim; kirim pesan ini sesudahnya.</translation>
    </message>
    <message>
        <source>The %1 is in its tab.</source>
        <translation>%1 ada di tabnya.</translation>
    </message>
    <message>
        <source>&amp;USSD...</source>
        <translation>USS&amp;D...</translation>
    </message>
    <message>
        <source>Ask the network for the balance or a data package with a code such as *123#</source>
        <translation>Tanyakan pulsa atau paket data ke jaringan dengan kode seperti *123#</translation>
    </message>
    <message>
        <source>There is no message store to back up.</source>
        <translation>Tidak ada penyimpanan pesan untuk dicadangkan.</translation>
    </message>
    <message>
        <source>Message Stores</source>
        <translation>Penyimpanan Pesan</translation>
    </message>
    <message>
        <source>The message store is copied to %1</source>
        <translation>Penyimpanan pesan disalin ke %1</translation>
    </message>
    <message>
        <source>A batch is being queued; queue this one after it.</source>
        <translation>Sebuah kiriman sedang diantrekan; antrekan yang ini sesudahnya.</translation>
    </message>
    <message>
        <source>the message store could not keep it first</source>
        <translation>penyimpanan pesan tidak bisa menyimpannya lebih dulu</translation>
    </message>
    <message>
        <source>the message store could not keep it first (%1)</source>
        <translation>penyimpanan pesan tidak bisa menyimpannya lebih dulu (%1)</translation>
    </message>
    <message>
        <source>the message store has no record of it yet</source>
        <translation>penyimpanan pesan belum mempunyai catatannya</translation>
    </message>
    <message>
        <source>&amp;Take the Modem</source>
        <translation>&amp;Ambil Alih Modem</translation>
    </message>
    <message>
        <source>%1 has stopped: nothing can be sent until it runs again or this window takes the modem.</source>
        <translation>%1 telah berhenti: tidak ada yang dapat dikirim sampai program itu berjalan lagi atau jendela ini mengambil alih modem.</translation>
    </message>
    <message>
        <source>Working through %1 (1 modem)</source>
        <translation>Bekerja melalui %1 (1 modem)</translation>
    </message>
    <message>
        <source>Working through %1 (%2 modems)</source>
        <translation>Bekerja melalui %1 (%2 modem)</translation>
    </message>
    <message>
        <source>%1 holds the modems: this window sends through it and shows its messages.</source>
        <translation>%1 memegang modem: jendela ini mengirim melaluinya dan menampilkan pesan-pesannya.</translation>
    </message>
    <message>
        <source>%1 holds the modem: this window cannot use the port itself.</source>
        <translation>%1 memegang modem: jendela ini tidak dapat memakai port itu sendiri.</translation>
    </message>
    <message>
        <source>the message is not in the history</source>
        <translation>pesan itu tidak ada di riwayat</translation>
    </message>
    <message>
        <source>Queued through %1 as message %2</source>
        <translation>Diantrekan melalui %1 sebagai pesan %2</translation>
    </message>
    <message>
        <source>Queued through %1: %2 messages</source>
        <translation>Diantrekan melalui %1: %2 pesan</translation>
    </message>
    <message>
        <source>%1 has stopped.</source>
        <translation>%1 telah berhenti.</translation>
    </message>
    <message>
        <source>%1 holds the phone: messages cannot be deleted from it here.</source>
        <translation>%1 memegang ponsel: pesan di dalamnya tidak dapat dihapus dari sini.</translation>
    </message>
    <message>
        <source>%1 could not read the phone: %2</source>
        <translation>%1 tidak dapat membaca ponsel: %2</translation>
    </message>
    <message>
        <source>%1 holds the modem: ask it with velmora-cli ussd CODE.</source>
        <translation>%1 memegang modem: tanyakan melaluinya dengan velmora-cli ussd KODE.</translation>
    </message>
</context>
<context>
    <name>velmora::TunePlayer</name>
    <message>
        <source>The tune has no notes to play.</source>
        <translation>Lagu tidak punya not untuk diputar.</translation>
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
<context>
    <name>velmora::ui::TComLed</name>
    <message>
        <source>off</source>
        <translation>mati</translation>
    </message>
    <message>
        <source>on</source>
        <translation>nyala</translation>
    </message>
</context>
</TS>
