; What the setup and its uninstaller say, beyond the Modern UI's own Turkish texts.

!define TEXT_BUSY "Meltemix! kurulumu ya da kaldırılması şu anda zaten çalışıyor.$\r$\nÖnce onun bitmesini bekleyin."
!define TEXT_STILL_RUNNING "Meltemix! kapanmadı: $INSTDIR klasöründeki program hâlâ çalışıyor.$\r$\n$\r$\nProgramı bildirim alanındaki simgesinin menüsünden Kapat komutuyla kapatıp Yeniden Dene'yi seçin. İptal hiçbir şeyi değiştirmeden çıkar."
!define TEXT_CLOSING "Meltemix! kapatılıyor..."
!define TEXT_BAD_SWITCH "Geçersiz seçenek:"
!define TEXT_BAD_SWITCH_VALUES "Bu seçenek yalnızca 0 ya da 1 alır."
!define TEXT_WRITE_FAILED "Yazılamadı:"
!define TEXT_REMOVE_SETTINGS "Meltemix! ayarlarınız (Options.ini) da silinsin mi?$\r$\n$\r$\nHayır'ı seçerseniz ayarlarınız, sık kullandığınız yerler ve pencerenin yeri saklanır; programı yeniden kurduğunuzda olduğu gibi kullanılır."
!define TEXT_CHOICES_TITLE "Kısayollar"
!define TEXT_CHOICES_SUBTITLE "Meltemix!'i nereden başlatacağınızı seçin."
!define TEXT_CHOICES_INFO "Bunları daha sonra programın Ayarlar penceresinin Genel sayfasından da değiştirebilirsiniz. Başlat menüsündeki kısayol her zaman oluşturulur."
; The options dialog's own ticks, so that the two name each choice alike.
!define TEXT_DESKTOP "&Masaüstünde programın bir kısayolunu oluştur"
!define TEXT_STARTUP "&Windows her açıldığında Meltemix! otomatik olarak başlasın"
!define TEXT_QUICKLAUNCH "Hızlı &Başlat bölümünde programın bir kısayolunu oluştur"
