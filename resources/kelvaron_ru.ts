<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name></name>
    <message>
        <source>Empty password</source>
        <translation>Пустой пароль</translation>
    </message>
    <message>
        <source>Password cannot be empty, try again</source>
        <translation>Пароль не может быть пустым, попробуйте ещё раз</translation>
    </message>
    <message>
        <source>Confirmation failed</source>
        <translation>Подтверждение не совпало</translation>
    </message>
    <message>
        <source>Restore failed</source>
        <translation>Восстановление не удалось</translation>
    </message>
    <message>
        <source>Cannot proceed, select backup file first</source>
        <translation>Невозможно продолжить: сначала выберите файл резервной копии</translation>
    </message>
    <message>
        <source>Kelvaron initialization failure, report to </source>
        <translation>Ошибка инициализации Kelvaron, сообщите по адресу </translation>
    </message>
    <message>
        <source>General error</source>
        <translation>Общая ошибка</translation>
    </message>
    <message>
        <source>2 attempts left</source>
        <translation>Осталось 2 попытки</translation>
    </message>
    <message>
        <source>1 attempt left</source>
        <translation>Осталась 1 попытка</translation>
    </message>
    <message>
        <source>Wrong password</source>
        <translation>Неверный пароль</translation>
    </message>
    <message>
        <source>Too many failed login attempts, leaving the application</source>
        <translation>Слишком много неудачных попыток входа, приложение закрывается</translation>
    </message>
    <message>
        <source>Kelvaron labels</source>
        <translation>Метки Kelvaron</translation>
    </message>
    <message>
        <source>Label cannot be deleted because it is used in the database. Usage counter: </source>
        <translation>Метку нельзя удалить, потому что она используется в базе данных. Число использований: </translation>
    </message>
    <message>
        <source>Banking</source>
        <translation>Банки</translation>
    </message>
    <message>
        <source>Read me</source>
        <translation>Прочти меня</translation>
    </message>
    <message>
        <source>Read me text</source>
        <translation>Текст «Прочти меня»</translation>
    </message>
    <message>
        <source>Credit card sample</source>
        <translation>Пример кредитной карты</translation>
    </message>
    <message>
        <source>John Smith</source>
        <translation>Иван Петров</translation>
    </message>
    <message>
        <source>1234 5678 9012 3456</source>
        <translation>1234 5678 9012 3456</translation>
    </message>
    <message>
        <source>1234</source>
        <translation>1234</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>Эл. почта</translation>
    </message>
    <message>
        <source>Expiration date</source>
        <translation>Срок действия</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Заметка</translation>
    </message>
    <message>
        <source>Web page</source>
        <translation>Веб-страница</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Учётная запись</translation>
    </message>
    <message>
        <source>Card number</source>
        <translation>Номер карты</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Телефон</translation>
    </message>
    <message>
        <source>PIN code</source>
        <translation>PIN-код</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Previous password</source>
        <translation>Предыдущий пароль</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Secret question</source>
        <translation>Секретный вопрос</translation>
    </message>
    <message>
        <source>Secret answer</source>
        <translation>Секретный ответ</translation>
    </message>
    <message>
        <source>Usual folder</source>
        <translation>Обычная папка</translation>
    </message>
    <message>
        <source>Cars</source>
        <translation>Автомобили</translation>
    </message>
    <message>
        <source>Cloud</source>
        <translation>Облако</translation>
    </message>
    <message>
        <source>Computers</source>
        <translation>Компьютеры</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Документы</translation>
    </message>
    <message>
        <source>E-mails</source>
        <translation>Почта</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Игры</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Интернет</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Заметки</translation>
    </message>
    <message>
        <source>Phones</source>
        <translation>Телефоны</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Безопасность</translation>
    </message>
    <message>
        <source>Shopping</source>
        <translation>Покупки</translation>
    </message>
    <message>
        <source>Messengers</source>
        <translation>Мессенджеры</translation>
    </message>
    <message>
        <source>Social networks</source>
        <translation>Социальные сети</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Программы</translation>
    </message>
    <message>
        <source>People</source>
        <translation>Люди</translation>
    </message>
    <message>
        <source>Asterisk</source>
        <translation>Звёздочка</translation>
    </message>
    <message>
        <source>Mail sign @</source>
        <translation>Знак почты @</translation>
    </message>
    <message>
        <source>Book</source>
        <translation>Книга</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Календарь</translation>
    </message>
    <message>
        <source>Compact Disc</source>
        <translation>Компакт-диск</translation>
    </message>
    <message>
        <source>Cell phone</source>
        <translation>Мобильный телефон</translation>
    </message>
    <message>
        <source>Charts</source>
        <translation>Диаграммы</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Галочка</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Часы</translation>
    </message>
    <message>
        <source>Credit card</source>
        <translation>Кредитная карта</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Настольный компьютер</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Указатель</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Документ</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Валюта</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Пусто</translation>
    </message>
    <message>
        <source>Girl</source>
        <translation>Девушка</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Дом</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>iPhone</source>
        <translation>iPhone</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Клавиатура</translation>
    </message>
    <message>
        <source>Laptop</source>
        <translation>Ноутбук</translation>
    </message>
    <message>
        <source>Magic</source>
        <translation>Волшебство</translation>
    </message>
    <message>
        <source>Man</source>
        <translation>Мужчина</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>Карандаш</translation>
    </message>
    <message>
        <source>Percent</source>
        <translation>Процент</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Вопрос</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Вращение</translation>
    </message>
    <message>
        <source>RSS</source>
        <translation>RSS</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Сервер</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Звезда</translation>
    </message>
    <message>
        <source>Stick</source>
        <translation>Флешка</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Инструменты</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Web</source>
        <translation>Веб</translation>
    </message>
    <message>
        <source>Wireless</source>
        <translation>Беспроводная сеть</translation>
    </message>
    <message>
        <source>Woman</source>
        <translation>Женщина</translation>
    </message>
    <message>
        <source>Access point</source>
        <translation>Точка доступа</translation>
    </message>
    <message>
        <source>Airplane</source>
        <translation>Самолёт</translation>
    </message>
    <message>
        <source>Amazon</source>
        <translation>Amazon</translation>
    </message>
    <message>
        <source>American Express</source>
        <translation>American Express</translation>
    </message>
    <message>
        <source>Apple</source>
        <translation>Apple</translation>
    </message>
    <message>
        <source>Badoo</source>
        <translation>Badoo</translation>
    </message>
    <message>
        <source>Bitcoin</source>
        <translation>Биткойн</translation>
    </message>
    <message>
        <source>Blackberry</source>
        <translation>Blackberry</translation>
    </message>
    <message>
        <source>Blogger</source>
        <translation>Blogger</translation>
    </message>
    <message>
        <source>Box</source>
        <translation>Коробка</translation>
    </message>
    <message>
        <source>Money</source>
        <translation>Деньги</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <source>Compass</source>
        <translation>Компас</translation>
    </message>
    <message>
        <source>Corona</source>
        <translation>Корона</translation>
    </message>
    <message>
        <source>Dollar</source>
        <translation>Доллар</translation>
    </message>
    <message>
        <source>Android</source>
        <translation>Android</translation>
    </message>
    <message>
        <source>Dropbox</source>
        <translation>Dropbox</translation>
    </message>
    <message>
        <source>E-bay</source>
        <translation>eBay</translation>
    </message>
    <message>
        <source>Euro</source>
        <translation>Евро</translation>
    </message>
    <message>
        <source>Evernote</source>
        <translation>Evernote</translation>
    </message>
    <message>
        <source>Outlook / Exchange</source>
        <translation>Outlook / Exchange</translation>
    </message>
    <message>
        <source>Facebook</source>
        <translation>Facebook</translation>
    </message>
    <message>
        <source>Fire</source>
        <translation>Пожарные</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>Флаг</translation>
    </message>
    <message>
        <source>Mobile devices forum</source>
        <translation>Форум мобильных устройств</translation>
    </message>
    <message>
        <source>Gameloft</source>
        <translation>Gameloft</translation>
    </message>
    <message>
        <source>Gift</source>
        <translation>Подарок</translation>
    </message>
    <message>
        <source>Gift card</source>
        <translation>Подарочная карта</translation>
    </message>
    <message>
        <source>GMail</source>
        <translation>GMail</translation>
    </message>
    <message>
        <source>Google Wallet</source>
        <translation>Google Wallet</translation>
    </message>
    <message>
        <source>Google Drive</source>
        <translation>Google Диск</translation>
    </message>
    <message>
        <source>Google Play</source>
        <translation>Google Play</translation>
    </message>
    <message>
        <source>Google Plus</source>
        <translation>Google Plus</translation>
    </message>
    <message>
        <source>Google Talk</source>
        <translation>Google Talk</translation>
    </message>
    <message>
        <source>Heart</source>
        <translation>Сердце</translation>
    </message>
    <message>
        <source>Hostgator</source>
        <translation>Hostgator</translation>
    </message>
    <message>
        <source>ICQ</source>
        <translation>ICQ</translation>
    </message>
    <message>
        <source>Instagram</source>
        <translation>Instagram</translation>
    </message>
    <message>
        <source>Key / Password</source>
        <translation>Ключ / пароль</translation>
    </message>
    <message>
        <source>Kinopoisk</source>
        <translation>Кинопоиск</translation>
    </message>
    <message>
        <source>LinkedIn</source>
        <translation>LinkedIn</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>LiveJournal</source>
        <translation>Живой Журнал</translation>
    </message>
    <message>
        <source>Maestro</source>
        <translation>Maestro</translation>
    </message>
    <message>
        <source>Mailbox</source>
        <translation>Почтовый ящик</translation>
    </message>
    <message>
        <source>Master Card</source>
        <translation>Master Card</translation>
    </message>
    <message>
        <source>Emergency</source>
        <translation>Скорая помощь</translation>
    </message>
    <message>
        <source>Oovoo</source>
        <translation>Oovoo</translation>
    </message>
    <message>
        <source>Passport</source>
        <translation>Паспорт</translation>
    </message>
    <message>
        <source>Paypal</source>
        <translation>PayPal</translation>
    </message>
    <message>
        <source>Picasa</source>
        <translation>Picasa</translation>
    </message>
    <message>
        <source>Pocket</source>
        <translation>Pocket</translation>
    </message>
    <message>
        <source>Police</source>
        <translation>Полиция</translation>
    </message>
    <message>
        <source>PSP</source>
        <translation>PSP</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Sky Drive</source>
        <translation>SkyDrive</translation>
    </message>
    <message>
        <source>Skype</source>
        <translation>Skype</translation>
    </message>
    <message>
        <source>Sport car</source>
        <translation>Спортивный автомобиль</translation>
    </message>
    <message>
        <source>Steam</source>
        <translation>Steam</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Синхронизация</translation>
    </message>
    <message>
        <source>Taxi</source>
        <translation>Такси</translation>
    </message>
    <message>
        <source>Team Viewer</source>
        <translation>TeamViewer</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Терминал</translation>
    </message>
    <message>
        <source>Truck</source>
        <translation>Грузовик</translation>
    </message>
    <message>
        <source>Truecrypt</source>
        <translation>TrueCrypt</translation>
    </message>
    <message>
        <source>Tune</source>
        <translation>Настройка</translation>
    </message>
    <message>
        <source>Twitter</source>
        <translation>Twitter</translation>
    </message>
    <message>
        <source>Unfuddle</source>
        <translation>Unfuddle</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>uTorrent</source>
        <translation>uTorrent</translation>
    </message>
    <message>
        <source>Vacation</source>
        <translation>Отпуск</translation>
    </message>
    <message>
        <source>Vimeo</source>
        <translation>Vimeo</translation>
    </message>
    <message>
        <source>Visa</source>
        <translation>Visa</translation>
    </message>
    <message>
        <source>Visa Electron</source>
        <translation>Visa Electron</translation>
    </message>
    <message>
        <source>VKontakte</source>
        <translation>ВКонтакте</translation>
    </message>
    <message>
        <source>Wall</source>
        <translation>Стена</translation>
    </message>
    <message>
        <source>Wikipedia</source>
        <translation>Википедия</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Wireless Access Point</source>
        <translation>Беспроводная точка доступа</translation>
    </message>
    <message>
        <source>WebMoney Keeper</source>
        <translation>WebMoney Keeper</translation>
    </message>
    <message>
        <source>Web Money</source>
        <translation>WebMoney</translation>
    </message>
    <message>
        <source>Wordpress</source>
        <translation>WordPress</translation>
    </message>
    <message>
        <source>XCode</source>
        <translation>Xcode</translation>
    </message>
    <message>
        <source>XMarks</source>
        <translation>XMarks</translation>
    </message>
    <message>
        <source>Yahoo</source>
        <translation>Yahoo</translation>
    </message>
    <message>
        <source>Yandex</source>
        <translation>Яндекс</translation>
    </message>
    <message>
        <source>Youtube</source>
        <translation>YouTube</translation>
    </message>
    <message>
        <source>%1 (item %2, name unreadable)</source>
        <translation>%1 (запись %2, название не читается)</translation>
    </message>
    <message>
        <source>Wallet in use</source>
        <translation>Кошелёк занят</translation>
    </message>
    <message>
        <source>The wallet file %1 is in use by another program. Close it, then start Kelvaron again.</source>
        <translation>Файл кошелька %1 занят другой программой. Закройте её и запустите Kelvaron снова.</translation>
    </message>
    <message>
        <source>Wallet cannot be opened</source>
        <translation>Кошелёк не удаётся открыть</translation>
    </message>
    <message>
        <source>Kelvaron cannot open its wallet file %1: %2. Nothing has been written to it.

Do you want to restore your wallet from a backup? The file is kept beside it. No quits Kelvaron.</source>
        <translation>Kelvaron не может открыть файл кошелька %1: %2. В него ничего не записано.

Восстановить кошелёк из резервной копии? Файл будет сохранён рядом. «Нет» закрывает Kelvaron.</translation>
    </message>
    <message>
        <source>Select backup file</source>
        <translation>Выберите файл резервной копии</translation>
    </message>
    <message>
        <source>Backup files (*.zip)</source>
        <translation>Резервные копии (*.zip)</translation>
    </message>
    <message>
        <source>The wallet could not be restored from %1.</source>
        <translation>Не удалось восстановить кошелёк из %1.</translation>
    </message>
    <message>
        <source>it is not a Kelvaron wallet</source>
        <translation>это не кошелёк Kelvaron</translation>
    </message>
    <message>
        <source>a new wallet could not be created in it</source>
        <translation>в нём не удалось создать новый кошелёк</translation>
    </message>
    <message>
        <source>the file is damaged</source>
        <translation>файл повреждён</translation>
    </message>
    <message>
        <source>it holds another program&apos;s data</source>
        <translation>в нём данные другой программы</translation>
    </message>
    <message>
        <source>its properties are missing</source>
        <translation>в нём нет свойств кошелька</translation>
    </message>
    <message>
        <source>its root entry is missing</source>
        <translation>в нём нет корневой записи</translation>
    </message>
    <message>
        <source>Kelvaron is already running</source>
        <translation>Kelvaron уже запущен</translation>
    </message>
    <message>
        <source>Kelvaron is already running for this wallet. Switch to its window.</source>
        <translation>Kelvaron уже запущен для этого кошелька. Перейдите в его окно.</translation>
    </message>
    <message>
        <source>the archive holds more than 1,000 entries</source>
        <translation>в архиве больше 1 000 элементов</translation>
    </message>
    <message>
        <source>the archive holds a symbolic link</source>
        <translation>в архиве есть символическая ссылка</translation>
    </message>
    <message>
        <source>the archive holds an entry that points outside its folder</source>
        <translation>в архиве есть элемент, указывающий за пределы своей папки</translation>
    </message>
    <message>
        <source>the archive declares more than 1 GiB</source>
        <translation>архив заявляет больше 1 ГиБ</translation>
    </message>
    <message>
        <source>there is not enough free disk space to unpack the archive</source>
        <translation>недостаточно места на диске, чтобы распаковать архив</translation>
    </message>
    <message>
        <source>there is no wallet in this archive</source>
        <translation>в этом архиве нет кошелька</translation>
    </message>
    <message>
        <source>the wallet in the archive is damaged</source>
        <translation>кошелёк в архиве повреждён</translation>
    </message>
    <message>
        <source>the wallet in the archive holds more than plain data</source>
        <translation>кошелёк в архиве содержит не только данные</translation>
    </message>
    <message>
        <source>the wallet in the archive is too large</source>
        <translation>кошелёк в архиве слишком велик</translation>
    </message>
    <message>
        <source>the archive does not exist</source>
        <translation>архив не существует</translation>
    </message>
    <message>
        <source>it is not a zip archive, or the archive is damaged</source>
        <translation>это не zip-архив, или архив повреждён</translation>
    </message>
    <message>
        <source>the archive is damaged: </source>
        <translation>архив повреждён: </translation>
    </message>
    <message>
        <source>the current wallet cannot be read</source>
        <translation>текущий кошелёк не читается</translation>
    </message>
    <message>
        <source>the data folder cannot be written</source>
        <translation>в папку данных нельзя записать</translation>
    </message>
    <message>
        <source>the safety backup of the current wallet could not be made</source>
        <translation>не удалось сделать страховочную копию текущего кошелька</translation>
    </message>
    <message>
        <source>the wallet file could not be replaced</source>
        <translation>файл кошелька не удалось заменить</translation>
    </message>
    <message>
        <source>Replace your wallet?</source>
        <translation>Заменить кошелёк?</translation>
    </message>
    <message>
        <source>Replace your wallet with the one from %1? A safety backup is kept.</source>
        <translation>Заменить ваш кошелёк кошельком из %1? Страховочная копия сохранится.</translation>
    </message>
    <message>
        <source>Password confirmation failed: the entered values are not equal. Please try again.</source>
        <translation>Подтверждение пароля не удалось: введённые значения не совпадают. Попробуйте ещё раз.</translation>
    </message>
    <message>
        <source>Import cancelled</source>
        <translation>Импорт отменён</translation>
    </message>
    <message>
        <source>The import failed. Contact us to report the problem.</source>
        <translation>Импорт не удался. Свяжитесь с нами, чтобы сообщить о проблеме.</translation>
    </message>
    <message>
        <source>The password you entered is wrong. Please try again.</source>
        <translation>Введён неверный пароль. Попробуйте ещё раз.</translation>
    </message>
    <message>
        <source>The password cannot be empty. Please try again.</source>
        <translation>Пароль не может быть пустым. Попробуйте ещё раз.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the label &apos;%1&apos;?</source>
        <translation>Вы действительно хотите удалить метку «%1»?</translation>
    </message>
    <message>
        <source>No web browser opened</source>
        <translation>Веб-браузер не открылся</translation>
    </message>
    <message>
        <source>Open this address in your web browser:
%1</source>
        <translation>Откройте этот адрес в веб-браузере:
%1</translation>
    </message>
    <message>
        <source>Calendar event</source>
        <translation>Событие в календаре</translation>
    </message>
    <message>
        <source>Classic phone</source>
        <translation>Классический телефон</translation>
    </message>
    <message>
        <source>Information sign</source>
        <translation>Знак информации</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Человек</translation>
    </message>
    <message>
        <source>Server rack</source>
        <translation>Серверная стойка</translation>
    </message>
    <message>
        <source>Globe</source>
        <translation>Глобус</translation>
    </message>
    <message>
        <source>Web location</source>
        <translation>Место в сети</translation>
    </message>
    <message>
        <source>WWW</source>
        <translation>WWW</translation>
    </message>
    <message>
        <source>Pills</source>
        <translation>Таблетки</translation>
    </message>
    <message>
        <source>Coins</source>
        <translation>Монеты</translation>
    </message>
    <message>
        <source>Control panel</source>
        <translation>Панель управления</translation>
    </message>
    <message>
        <source>First aid</source>
        <translation>Первая помощь</translation>
    </message>
    <message>
        <source>Helicopter</source>
        <translation>Вертолёт</translation>
    </message>
    <message>
        <source>HRS</source>
        <translation>HRS</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Ключ</translation>
    </message>
    <message>
        <source>LinguaLeo</source>
        <translation>LinguaLeo</translation>
    </message>
    <message>
        <source>Open envelope</source>
        <translation>Открытый конверт</translation>
    </message>
    <message>
        <source>Red car</source>
        <translation>Красный автомобиль</translation>
    </message>
    <message>
        <source>Security question</source>
        <translation>Контрольный вопрос</translation>
    </message>
    <message>
        <source>Surfingbird</source>
        <translation>Surfingbird</translation>
    </message>
    <message>
        <source>Visa Debit</source>
        <translation>Visa Debit</translation>
    </message>
    <message>
        <source>White car</source>
        <translation>Белый автомобиль</translation>
    </message>
    <message>
        <source>Windows logo</source>
        <translation>Логотип Windows</translation>
    </message>
    <message>
        <source>(unreadable)</source>
        <translation>(не читается)</translation>
    </message>
    <message>
        <source>it says it is strongly protected, but its key settings are missing</source>
        <translation>в нём указана усиленная защита, но нет параметров ключа</translation>
    </message>
    <message>
        <source>its key derivation is not one Kelvaron knows</source>
        <translation>способ получения ключа незнаком Kelvaron</translation>
    </message>
    <message>
        <source>its key settings are out of range</source>
        <translation>параметры ключа вне допустимых пределов</translation>
    </message>
    <message>
        <source>Original: the key is taken from the master password, values in AES-256-CBC</source>
        <translation>Обычная: ключ берётся из самого мастер-пароля, значения в AES-256-CBC</translation>
    </message>
    <message>
        <source>Strong: Argon2id key (%1 MiB, %2 passes, %3 lanes), values in AES-256-GCM</source>
        <translation>Усиленная: ключ Argon2id (%1 МиБ, проходов: %2, потоков: %3), значения в AES-256-GCM</translation>
    </message>
    <message>
        <source>the wallet in the archive has missing or damaged key settings</source>
        <translation>у кошелька в архиве нет параметров ключа или они повреждены</translation>
    </message>
    <message>
        <source>GitHub</source>
        <translation>GitHub</translation>
    </message>
    <message>
        <source>Security code</source>
        <translation>Код безопасности</translation>
    </message>
    <message>
        <source>Brand</source>
        <translation>Платёжная система</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>Компания</translation>
    </message>
    <message>
        <source>Social security number</source>
        <translation>Номер социального страхования</translation>
    </message>
    <message>
        <source>Passport number</source>
        <translation>Номер паспорта</translation>
    </message>
    <message>
        <source>License number</source>
        <translation>Номер водительского удостоверения</translation>
    </message>
    <message>
        <source>The file is not valid JSON: %1 at byte %2.</source>
        <translation>Файл не является корректным JSON: %1 (байт %2).</translation>
    </message>
    <message>
        <source>This Bitwarden export is encrypted. Export the vault again as unencrypted JSON.</source>
        <translation>Этот экспорт Bitwarden зашифрован. Экспортируйте хранилище ещё раз в незашифрованный JSON.</translation>
    </message>
    <message>
        <source>This JSON file is not a Bitwarden export: it has no list of items.</source>
        <translation>Этот файл JSON не экспорт Bitwarden: в нём нет списка записей.</translation>
    </message>
    <message>
        <source>The file has more than %1 items.</source>
        <translation>В файле больше %1 записей.</translation>
    </message>
    <message>
        <source>Bitwarden JSON</source>
        <translation>Bitwarden JSON</translation>
    </message>
    <message>
        <source>a quote stands inside an unquoted field</source>
        <translation>кавычка стоит внутри поля без кавычек</translation>
    </message>
    <message>
        <source>a quoted field is never closed</source>
        <translation>поле в кавычках не закрыто</translation>
    </message>
    <message>
        <source>a closing quote is followed by other text</source>
        <translation>после закрывающей кавычки идёт другой текст</translation>
    </message>
    <message>
        <source>a line ends in a lone carriage return</source>
        <translation>строка кончается одиночным возвратом каретки</translation>
    </message>
    <message>
        <source>KeePassXC CSV</source>
        <translation>KeePassXC CSV</translation>
    </message>
    <message>
        <source>Bitwarden CSV</source>
        <translation>Bitwarden CSV</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Строка %1: %2</translation>
    </message>
    <message>
        <source>(untitled)</source>
        <translation>(без названия)</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>The file is larger than 50 MiB, more than an export of passwords can be.</source>
        <translation>Файл больше 50 МиБ — больше, чем бывает экспорт паролей.</translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>Файл не удаётся прочитать: %1</translation>
    </message>
    <message>
        <source>This is not a CSV or JSON export of a password manager: it is not text.</source>
        <translation>Это не экспорт менеджера паролей в CSV или JSON: это не текст.</translation>
    </message>
    <message>
        <source>The file has more than %1 lines; split it and import the parts.</source>
        <translation>В файле больше %1 строк; разделите его и импортируйте части.</translation>
    </message>
    <message>
        <source>This is not a KeePassXC or Bitwarden export: its first line does not name their columns, and it is not JSON.</source>
        <translation>Это не экспорт KeePassXC или Bitwarden: первая строка не называет их столбцы, и это не JSON.</translation>
    </message>
    <message>
        <source>Imported %1</source>
        <translation>Импорт %1</translation>
    </message>
    <message>
        <source>A second start of Kelvaron will not find this window: %1</source>
        <translation>Повторный запуск Kelvaron не найдёт это окно: %1</translation>
    </message>
    <message>
        <source>it has no type</source>
        <translation>у него нет типа</translation>
    </message>
    <message>
        <source>%1 columns where the header has %2</source>
        <translation>%1 столбцов, а в заголовке %2</translation>
    </message>
    <message>
        <source>its folder is %1 levels deep; at most %2 levels can be imported</source>
        <translation>его папка вложена на %1 уровней; импортировать можно не более %2 уровней</translation>
    </message>
    <message>
        <source>it has %1 web addresses; at most %2 can be imported per entry</source>
        <translation>у него %1 веб-адресов; для одной записи можно импортировать не более %2</translation>
    </message>
    <message>
        <source>Item %1: %2</source>
        <translation>Элемент %1: %2</translation>
    </message>
    <message>
        <source>This is not a file that can be imported: it is a folder, a device or a pipe.</source>
        <translation>Это не файл, который можно импортировать: это папка, устройство или канал.</translation>
    </message>
</context>
<context>
    <name>About</name>
    <message>
        <source>Kelvaron Desktop</source>
        <translation>Kelvaron Desktop</translation>
    </message>
    <message>
        <source>Version 1.0 ALPHA</source>
        <translation>Версия 1.0 АЛЬФА</translation>
    </message>
    <message>
        <source>© 2026 Tormelin Software. All rights reserved.</source>
        <translation>© 2026 Tormelin Software. Все права защищены.</translation>
    </message>
    <message>
        <source>THIS SOFTWARE IS PROVIDED &quot;AS IS&quot;, WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, INCLUDING THE LOSS OF DATA OR OF FORGOTTEN PASSWORDS, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE. KEEP BACKUPS OF YOUR WALLET AND REMEMBER YOUR MASTER PASSWORD.</source>
        <translation>ДАННАЯ ПРОГРАММА ПРЕДОСТАВЛЯЕТСЯ «КАК ЕСТЬ», БЕЗ КАКИХ-ЛИБО ГАРАНТИЙ, ЯВНЫХ ИЛИ ПОДРАЗУМЕВАЕМЫХ, ВКЛЮЧАЯ, НО НЕ ОГРАНИЧИВАЯСЬ ГАРАНТИЯМИ ТОВАРНОЙ ПРИГОДНОСТИ, СООТВЕТСТВИЯ ОПРЕДЕЛЁННОЙ ЦЕЛИ И ОТСУТСТВИЯ НАРУШЕНИЙ ПРАВ. НИ ПРИ КАКИХ ОБСТОЯТЕЛЬСТВАХ АВТОРЫ ИЛИ ПРАВООБЛАДАТЕЛИ НЕ НЕСУТ ОТВЕТСТВЕННОСТИ ПО ИСКАМ, ЗА УЩЕРБ ИЛИ ИНУЮ ОТВЕТСТВЕННОСТЬ, ВКЛЮЧАЯ ПОТЕРЮ ДАННЫХ ИЛИ ЗАБЫТЫХ ПАРОЛЕЙ, БУДЬ ТО ПО ДОГОВОРУ, ДЕЛИКТУ ИЛИ ИНАЧЕ, ВОЗНИКШИМ ИЗ ПРОГРАММЫ, ЕЁ ИСПОЛЬЗОВАНИЯ ИЛИ ИНЫХ ДЕЙСТВИЙ С НЕЙ. ХРАНИТЕ РЕЗЕРВНЫЕ КОПИИ КОШЕЛЬКА И ПОМНИТЕ МАСТЕР-ПАРОЛЬ.</translation>
    </message>
    <message>
        <source>Homepage: </source>
        <translation>Сайт: </translation>
    </message>
    <message>
        <source>Support e-mail: </source>
        <translation>Эл. почта поддержки: </translation>
    </message>
    <message>
        <source>Build </source>
        <translation>Сборка </translation>
    </message>
    <message>
        <source>Tormelin Software, the makers of Kelvaron</source>
        <translation>Tormelin Software, создатели Kelvaron</translation>
    </message>
</context>
<context>
    <name>EditItemFolder</name>
    <message>
        <source>Kelvaron Desktop</source>
        <translation>Kelvaron Desktop</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Значок</translation>
    </message>
    <message>
        <source>Label text</source>
        <translation>Текст метки</translation>
    </message>
    <message>
        <source>Folder name</source>
        <translation>Имя папки</translation>
    </message>
    <message>
        <source>Item name</source>
        <translation>Имя записи</translation>
    </message>
    <message>
        <source>Could not be saved.</source>
        <translation>Не удалось сохранить.</translation>
    </message>
    <message>
        <source>A folder needs a name.</source>
        <translation>У папки должно быть название.</translation>
    </message>
    <message>
        <source>An item needs a name.</source>
        <translation>У записи должно быть название.</translation>
    </message>
</context>
<context>
    <name>ExchangeCommands</name>
    <message>
        <source>Import from another manager</source>
        <translation>Импорт из другого менеджера</translation>
    </message>
    <message>
        <source>Exports (*.csv *.json);;All files (*)</source>
        <translation>Экспорт (*.csv *.json);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Nothing imported</source>
        <translation>Ничего не импортировано</translation>
    </message>
    <message>
        <source>The wallet could not be written, so nothing was imported. Check the disk and try again.</source>
        <translation>В кошелёк не удалось записать, поэтому ничего не импортировано. Проверьте диск и попробуйте ещё раз.</translation>
    </message>
    <message>
        <source>Export every password?</source>
        <translation>Экспортировать все пароли?</translation>
    </message>
    <message>
        <source>The exported file holds every name, password and note of this wallet in plain text: anyone who gets the file can read them. Keep it safe and delete it once it has been imported elsewhere. Go on?</source>
        <translation>Экспортированный файл содержит все названия, пароли и заметки этого кошелька открытым текстом: их прочитает любой, к кому попадёт файл. Храните его надёжно и удалите после импорта в другую программу. Продолжить?</translation>
    </message>
    <message>
        <source>Enter the master password to export</source>
        <translation>Введите мастер-пароль для экспорта</translation>
    </message>
    <message>
        <source>Nothing exported</source>
        <translation>Ничего не экспортировано</translation>
    </message>
    <message>
        <source>The password is wrong, so nothing was exported.</source>
        <translation>Пароль неверен, поэтому ничего не экспортировано.</translation>
    </message>
    <message>
        <source>Export to KeePassXC CSV</source>
        <translation>Экспорт в CSV KeePassXC</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <source>The file %1 could not be written. Check the folder and the disk.</source>
        <translation>Не удалось записать файл %1. Проверьте папку и диск.</translation>
    </message>
    <message>
        <source>Exported</source>
        <translation>Экспорт выполнен</translation>
    </message>
    <message>
        <source>The wallet was exported to %1, readable by you only.</source>
        <translation>Кошелёк экспортирован в %1; файл доступен для чтения только вам.</translation>
    </message>
</context>
<context>
    <name>ImportDialog</name>
    <message>
        <source>Import from another manager</source>
        <translation>Импорт из другого менеджера</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Папка</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>Поля</translation>
    </message>
    <message>
        <source>These lines could not be read. Nothing is imported until the file is mended:</source>
        <translation>Эти строки не удалось прочитать. Пока файл не исправлен, ничего не импортируется:</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Импортировать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Found: %1</source>
        <translation>Найдено: %1</translation>
    </message>
    <message>
        <source>%1 folders, %2 items, %3 fields, into a new folder</source>
        <translation>Папок: %1, записей: %2, полей: %3 — в новую папку</translation>
    </message>
</context>
<context>
    <name>KVChangePassword</name>
    <message>
        <source>Kelvaron Desktop</source>
        <translation>Kelvaron Desktop</translation>
    </message>
    <message>
        <source>Current password</source>
        <translation>Текущий пароль</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>Новый пароль</translation>
    </message>
    <message>
        <source>Confirm new password</source>
        <translation>Подтвердите новый пароль</translation>
    </message>
    <message>
        <source>Change password</source>
        <translation>Сменить пароль</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Current password (wrong current password)</source>
        <translation>Текущий пароль (неверный текущий пароль)</translation>
    </message>
    <message>
        <source>New password (cannot be empty)</source>
        <translation>Новый пароль (не может быть пустым)</translation>
    </message>
    <message>
        <source>Confirm new password (not equal)</source>
        <translation>Подтвердите новый пароль (не совпадает)</translation>
    </message>
    <message>
        <source>New password (not equal)</source>
        <translation>Новый пароль (не совпадает)</translation>
    </message>
    <message>
        <source>The wallet could not be re-encrypted, so nothing was changed. Your current password still opens it.</source>
        <translation>Не удалось перешифровать кошелёк, поэтому ничего не изменено. Текущий пароль по-прежнему открывает его.</translation>
    </message>
    <message>
        <source>These items cannot be read with the current password, so nothing was changed:</source>
        <translation>Эти записи не читаются текущим паролем, поэтому ничего не изменено:</translation>
    </message>
    <message>
        <source>(%1 more)</source>
        <translation>(и ещё %1)</translation>
    </message>
    <message>
        <source>Password not changed</source>
        <translation>Пароль не изменён</translation>
    </message>
    <message>
        <source>Re-encrypting the wallet, please wait...</source>
        <translation>Кошелёк перешифровывается, подождите...</translation>
    </message>
    <message>
        <source>A memory-hard key makes every guess of the password slow for anyone who copies the wallet file or a backup. Unlocking takes a moment longer.</source>
        <translation>Ключ, требующий много памяти, замедляет каждую попытку подобрать пароль для того, кто скопирует файл кошелька или резервную копию. Разблокировка занимает чуть больше времени.</translation>
    </message>
    <message>
        <source>Strong protection (Argon2id)</source>
        <translation>Усиленная защита (Argon2id)</translation>
    </message>
    <message>
        <source>Without it, a copied file is quickly guessed.</source>
        <translation>Без неё пароль к копии файла быстро подберут.</translation>
    </message>
</context>
<context>
    <name>KVCustomMessage</name>
    <message>
        <source>Kelvaron Desktop</source>
        <translation>Kelvaron Desktop</translation>
    </message>
</context>
<context>
    <name>KVFieldEdit</name>
    <message>
        <source>Kelvaron Desktop - field</source>
        <translation>Kelvaron Desktop - поле</translation>
    </message>
    <message>
        <source>Generate new password</source>
        <translation>Создать новый пароль</translation>
    </message>
    <message>
        <source>Password settings</source>
        <translation>Настройки пароля</translation>
    </message>
    <message>
        <source>Password length</source>
        <translation>Длина пароля</translation>
    </message>
    <message>
        <source>Use capital letters</source>
        <translation>Заглавные буквы</translation>
    </message>
    <message>
        <source>Use small letters</source>
        <translation>Строчные буквы</translation>
    </message>
    <message>
        <source>Use digits</source>
        <translation>Цифры</translation>
    </message>
    <message>
        <source>Use special symbols</source>
        <translation>Специальные символы</translation>
    </message>
    <message>
        <source>Special symbols allowed for use</source>
        <translation>Разрешённые специальные символы</translation>
    </message>
    <message>
        <source>(use current password as template for generation)</source>
        <translation>(текущий пароль служит образцом для нового)</translation>
    </message>
    <message>
        <source>Select field...</source>
        <translation>Выберите поле...</translation>
    </message>
    <message>
        <source>The field could not be saved.</source>
        <translation>Поле не удалось сохранить.</translation>
    </message>
    <message>
        <source>Smart password generation</source>
        <translation>Умная генерация пароля</translation>
    </message>
    <message>
        <source>Previous password is a special type of field that keeps the previous password of this item. It cannot be set by hand: it is filled automatically when you change any password field of the item.</source>
        <translation>«Предыдущий пароль» — особый тип поля, который хранит прежний пароль этой записи. Его нельзя задать вручную: он заполняется автоматически, когда вы меняете любое поле пароля записи.</translation>
    </message>
    <message>
        <source>Show the password while editing</source>
        <translation>Показать пароль при вводе</translation>
    </message>
</context>
<context>
    <name>KVFirstStart</name>
    <message>
        <source>Kelvaron Desktop</source>
        <translation>Kelvaron Desktop</translation>
    </message>
    <message>
        <source>Enter new master password</source>
        <translation>Введите новый мастер-пароль</translation>
    </message>
    <message>
        <source>Confirm master password</source>
        <translation>Подтвердите мастер-пароль</translation>
    </message>
    <message>
        <source>Backup folder</source>
        <translation>Папка резервных копий</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Create new password database</source>
        <translation>Создать новую базу паролей</translation>
    </message>
    <message>
        <source>Restore the database from backup file</source>
        <translation>Восстановить базу из резервной копии</translation>
    </message>
    <message>
        <source>New master password</source>
        <translation>Новый мастер-пароль</translation>
    </message>
    <message>
        <source>Backup files (*.zip);;</source>
        <translation>Резервные копии (*.zip);;</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>If you used Kelvaron before, you can restore your data from a backup file. Select the backup file and click &apos;OK&apos; to proceed.</source>
        <translation>Если вы уже пользовались Kelvaron, вы можете восстановить данные из резервной копии. Выберите файл резервной копии и нажмите «OK», чтобы продолжить.</translation>
    </message>
    <message>
        <source>This is the first start of the application. Enter your new master password and confirm it to continue. Make sure that you remember the new password or keep it written down in a safe place: if the master password is lost or forgotten, the data cannot be restored.</source>
        <translation>Это первый запуск программы. Введите новый мастер-пароль и подтвердите его, чтобы продолжить. Убедитесь, что вы помните новый пароль или храните его записанным в надёжном месте: если мастер-пароль потерян или забыт, данные восстановить нельзя.</translation>
    </message>
    <message>
        <source>A memory-hard key makes every guess of the password slow for anyone who copies the wallet file or a backup. Unlocking takes a moment longer.</source>
        <translation>Ключ, требующий много памяти, замедляет каждую попытку подобрать пароль для того, кто скопирует файл кошелька или резервную копию. Разблокировка занимает чуть больше времени.</translation>
    </message>
    <message>
        <source>Strong protection (Argon2id)</source>
        <translation>Усиленная защита (Argon2id)</translation>
    </message>
    <message>
        <source>Without it, a copied file is quickly guessed.</source>
        <translation>Без неё пароль к копии файла быстро подберут.</translation>
    </message>
</context>
<context>
    <name>KVPasswordDialog</name>
    <message>
        <source>Kelvaron Desktop</source>
        <translation>Kelvaron Desktop</translation>
    </message>
    <message>
        <source>Kelvaron master password</source>
        <translation>Мастер-пароль Kelvaron</translation>
    </message>
</context>
<context>
    <name>KVRestoreDialog</name>
    <message>
        <source>Kelvaron Desktop - Recovery</source>
        <translation>Kelvaron Desktop - восстановление</translation>
    </message>
    <message>
        <source>Backup files</source>
        <translation>Резервные копии</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Восстановить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Delete backup</source>
        <translation>Удаление резервной копии</translation>
    </message>
    <message>
        <source>Do you want to delete the backup file &apos;%1&apos;? It cannot be brought back.</source>
        <translation>Удалить файл резервной копии «%1»? Вернуть его будет нельзя.</translation>
    </message>
    <message>
        <source>The backup file could not be deleted.</source>
        <translation>Не удалось удалить файл резервной копии.</translation>
    </message>
</context>
<context>
    <name>LockCloser</name>
    <message>
        <source>the field editor</source>
        <translation>редактор поля</translation>
    </message>
    <message>
        <source>the item or folder editor</source>
        <translation>редактор элемента или папки</translation>
    </message>
    <message>
        <source>Change password</source>
        <translation>окно «Сменить пароль»</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>окно «Метки»</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>окно «Настройки»</translation>
    </message>
    <message>
        <source>the import preview</source>
        <translation>предпросмотр импорта</translation>
    </message>
    <message>
        <source>Move to</source>
        <translation>окно «Переместить в»</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>окно «Восстановление»</translation>
    </message>
    <message>
        <source>the password dialog</source>
        <translation>окно пароля</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Kelvaron Desktop</source>
        <translation>Kelvaron Desktop</translation>
    </message>
    <message>
        <source>Unlock</source>
        <translation>Разблокировать</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Create item / create field&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Создать запись / создать поле&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Edit item / edit field&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Изменить запись / изменить поле&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Copy field value to clipboard&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Скопировать значение поля в буфер обмена&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Create folder&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Создать папку&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Go to upper level&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;На уровень выше&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>Панель инструментов</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Найти</translation>
    </message>
    <message>
        <source>Send feedback</source>
        <translation>Отправить отзыв</translation>
    </message>
    <message>
        <source>Backup folder is not set yet</source>
        <translation>Папка резервных копий ещё не задана</translation>
    </message>
    <message>
        <source>Select backup folder</source>
        <translation>Выберите папку резервных копий</translation>
    </message>
    <message>
        <source>Stick</source>
        <translation>Закрепить</translation>
    </message>
    <message>
        <source>Kelvaron</source>
        <translation>Kelvaron</translation>
    </message>
    <message>
        <source>Deletion cancelled</source>
        <translation>Удаление отменено</translation>
    </message>
    <message>
        <source>Non-empty folder cannot be deleted</source>
        <translation>Непустую папку удалить нельзя</translation>
    </message>
    <message>
        <source>You are going to delete the item and it will not be possible to restore it and its fields. Are you sure you want to continue?</source>
        <translation>Вы собираетесь удалить запись; восстановить её и её поля будет невозможно. Продолжить?</translation>
    </message>
    <message>
        <source>You are going to delete the field. Are you sure you want to proceed?</source>
        <translation>Вы собираетесь удалить поле. Продолжить?</translation>
    </message>
    <message>
        <source>Synchronization</source>
        <translation>Синхронизация</translation>
    </message>
    <message>
        <source>2 attempts left</source>
        <translation>Осталось 2 попытки</translation>
    </message>
    <message>
        <source>1 attempt left</source>
        <translation>Осталась 1 попытка</translation>
    </message>
    <message>
        <source>Empty password!</source>
        <translation>Пустой пароль!</translation>
    </message>
    <message>
        <source>Password cannot be empty, try again</source>
        <translation>Пароль не может быть пустым, попробуйте ещё раз</translation>
    </message>
    <message>
        <source>Wrong password!</source>
        <translation>Неверный пароль!</translation>
    </message>
    <message>
        <source>Too many failed login attempts, leaving the application</source>
        <translation>Слишком много неудачных попыток входа, приложение закрывается</translation>
    </message>
    <message>
        <source>Password is wrong, try again</source>
        <translation>Пароль неверен, попробуйте ещё раз</translation>
    </message>
    <message>
        <source>Password was changed</source>
        <translation>Пароль изменён</translation>
    </message>
    <message>
        <source>Backup file successfully created</source>
        <translation>Резервная копия создана</translation>
    </message>
    <message>
        <source>Backup failure</source>
        <translation>Ошибка резервного копирования</translation>
    </message>
    <message>
        <source>Backup files (*.zip)</source>
        <translation>Резервные копии (*.zip)</translation>
    </message>
    <message>
        <source>Your wallet was not replaced: %1.</source>
        <translation>Ваш кошелёк не заменён: %1.</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>Не сохранено</translation>
    </message>
    <message>
        <source>The wallet could not be changed: the file cannot be written. Nothing was lost; check the disk and the file&apos;s permissions.</source>
        <translation>Кошелёк не удалось изменить: в файл нельзя записать. Ничего не потеряно; проверьте диск и права доступа к файлу.</translation>
    </message>
    <message>
        <source>Search: %1</source>
        <translation>Поиск: %1</translation>
    </message>
    <message>
        <source>No match</source>
        <translation>Ничего не найдено</translation>
    </message>
    <message>
        <source>Found: %1; the first %2 are shown</source>
        <translation>Найдено: %1; показаны первые %2</translation>
    </message>
    <message>
        <source>Found: %1</source>
        <translation>Найдено: %1</translation>
    </message>
    <message>
        <source>Kelvaron is locked. Click &quot;Unlock&quot; to go on working.</source>
        <translation>Kelvaron заблокирован. Нажмите «Разблокировать», чтобы продолжить работу.</translation>
    </message>
    <message>
        <source>Kelvaron was locked automatically to keep your data safe. Click &quot;Unlock&quot; to go on working.</source>
        <translation>Kelvaron заблокирован автоматически, чтобы сберечь ваши данные. Нажмите «Разблокировать», чтобы продолжить работу.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Delete item / delete field&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Удалить запись / удалить поле&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>You have to set a default backup folder before you can create backups or restore your data. Do you want to do it now?</source>
        <translation>Чтобы создавать резервные копии и восстанавливать данные, нужно задать папку для резервных копий. Сделать это сейчас?</translation>
    </message>
    <message>
        <source>Synchronization will come in a later version. Follow the updates on the application&apos;s website.</source>
        <translation>Синхронизация появится в одной из следующих версий. Следите за обновлениями на сайте программы.</translation>
    </message>
    <message>
        <source>The application is now locked. Unlock it with your new password.</source>
        <translation>Программа заблокирована. Разблокируйте её новым паролем.</translation>
    </message>
    <message>
        <source>The backup was successfully saved in your backup folder &apos;</source>
        <translation>Резервная копия успешно сохранена в папке резервных копий &apos;</translation>
    </message>
    <message>
        <source>The backup failed. Report this error to the developers.</source>
        <translation>Резервное копирование не удалось. Сообщите об этой ошибке разработчикам.</translation>
    </message>
    <message>
        <source>Import cancelled</source>
        <translation>Импорт отменён</translation>
    </message>
    <message>
        <source>The import failed. Contact us to report the problem.</source>
        <translation>Импорт не удался. Свяжитесь с нами, чтобы сообщить о проблеме.</translation>
    </message>
    <message>
        <source>Copied; the clipboard clears in %1 s</source>
        <translation>Скопировано; буфер обмена очистится через %1 с</translation>
    </message>
    <message>
        <source>Show secrets</source>
        <translation>Показать секреты</translation>
    </message>
    <message>
        <source>Show the passwords and PIN codes of this item (Ctrl+H)</source>
        <translation>Показать пароли и PIN-коды этой записи (Ctrl+H)</translation>
    </message>
    <message>
        <source>Import a KeePassXC CSV, Bitwarden CSV or Bitwarden JSON export</source>
        <translation>Импортировать экспорт KeePassXC CSV, Bitwarden CSV или Bitwarden JSON</translation>
    </message>
    <message>
        <source>Export every item as a KeePassXC CSV file, in plain text</source>
        <translation>Экспортировать все записи в файл CSV KeePassXC открытым текстом</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Инструменты</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Импорт...</translation>
    </message>
    <message>
        <source>Import from another &amp;manager...</source>
        <translation>Импорт из другого &amp;менеджера...</translation>
    </message>
    <message>
        <source>E&amp;xport...</source>
        <translation>&amp;Экспорт...</translation>
    </message>
    <message>
        <source>&amp;Lock</source>
        <translation>За&amp;блокировать</translation>
    </message>
    <message>
        <source>&amp;Sync</source>
        <translation>&amp;Синхронизация</translation>
    </message>
    <message>
        <source>&amp;Backup</source>
        <translation>&amp;Резервная копия</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Восстановить</translation>
    </message>
    <message>
        <source>L&amp;abels</source>
        <translation>&amp;Метки</translation>
    </message>
    <message>
        <source>&amp;Change password...</source>
        <translation>Сменить &amp;пароль...</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>&amp;Website</source>
        <translation>&amp;Сайт</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;О программе...</translation>
    </message>
    <message>
        <source>New &amp;item...</source>
        <translation>Новая &amp;запись...</translation>
    </message>
    <message>
        <source>New &amp;folder...</source>
        <translation>Новая &amp;папка...</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Изменить...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Удалить</translation>
    </message>
    <message>
        <source>&amp;Copy value</source>
        <translation>&amp;Копировать значение</translation>
    </message>
    <message>
        <source>&amp;Move to...</source>
        <translation>П&amp;ереместить в...</translation>
    </message>
    <message>
        <source>&amp;Up a level</source>
        <translation>На уровень &amp;выше</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Not moved</source>
        <translation>Не перемещено</translation>
    </message>
    <message>
        <source>New fie&amp;ld...</source>
        <translation>Новое по&amp;ле...</translation>
    </message>
    <message>
        <source>Kelvaron keeps running</source>
        <translation>Kelvaron продолжает работать</translation>
    </message>
    <message>
        <source>Kelvaron is still running in the system tray. Choose Quit in its menu or in the File menu to end it.</source>
        <translation>Kelvaron по-прежнему работает в системном трее. Чтобы завершить его, выберите «Выход» в его меню или в меню «Файл».</translation>
    </message>
    <message>
        <source>Show/Hide</source>
        <translation>Показать/скрыть</translation>
    </message>
    <message>
        <source>The wallet locked while %1 was open: it was closed without saving.</source>
        <translation>Кошелёк заблокирован, и без сохранения закрыто: %1.</translation>
    </message>
</context>
<context>
    <name>MoveToDialog</name>
    <message>
        <source>Move to</source>
        <translation>Переместить в</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Переместить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Move &quot;%1&quot; to:</source>
        <translation>Переместить «%1» в:</translation>
    </message>
    <message>
        <source>Kelvaron</source>
        <translation>Kelvaron</translation>
    </message>
    <message>
        <source>The top of the wallet cannot be moved.</source>
        <translation>Вершину кошелька переместить нельзя.</translation>
    </message>
    <message>
        <source>The item is no longer in the wallet.</source>
        <translation>Этой записи больше нет в кошельке.</translation>
    </message>
    <message>
        <source>Items can only be moved into a folder.</source>
        <translation>Записи можно перемещать только в папку.</translation>
    </message>
    <message>
        <source>A folder cannot be moved into itself or into a folder inside it.</source>
        <translation>Папку нельзя переместить в саму себя или во вложенную в неё папку.</translation>
    </message>
    <message>
        <source>The wallet could not be written, so nothing was moved.</source>
        <translation>В кошелёк не удалось записать, поэтому ничего не перемещено.</translation>
    </message>
</context>
<context>
    <name>Prefs</name>
    <message>
        <source>Kelvaron Preferences</source>
        <translation>Настройки Kelvaron</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>automatically lock the app if it is not used</source>
        <translation>автоматически блокировать приложение, если им не пользуются</translation>
    </message>
    <message>
        <source>show app in tray</source>
        <translation>показывать значок в трее</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Резервная копия</translation>
    </message>
    <message>
        <source>Backup folder</source>
        <translation>Папка резервных копий</translation>
    </message>
    <message>
        <source>Synchronization</source>
        <translation>Синхронизация</translation>
    </message>
    <message>
        <source>Select backup folder</source>
        <translation>Выберите папку резервных копий</translation>
    </message>
    <message>
        <source>inactivity interval before the app is locked (minutes)</source>
        <translation>время бездействия до блокировки программы (минуты)</translation>
    </message>
    <message>
        <source>Synchronization will come in a later version.
Follow the updates of the application.

Sincerely yours,
the Tormelin Development Team</source>
        <translation>Синхронизация появится в одной из следующих версий.
Следите за обновлениями программы.

Искренне ваша,
команда разработчиков Tormelin</translation>
    </message>
    <message>
        <source>clear the clipboard after this many seconds (0: never)</source>
        <translation>очищать буфер обмена через столько секунд (0 — никогда)</translation>
    </message>
    <message>
        <source>Wallet</source>
        <translation>Кошелёк</translation>
    </message>
    <message>
        <source>Protection of this wallet</source>
        <translation>Защита этого кошелька</translation>
    </message>
    <message>
        <source>It is chosen in Change password.</source>
        <translation>Она выбирается в окне «Сменить пароль».</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>from the next start</source>
        <translation>со следующего запуска</translation>
    </message>
    <message>
        <source>This desktop has no system tray.</source>
        <translation>На этом рабочем столе нет системного трея.</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Системный</translation>
    </message>
</context>
<context>
    <name>ProtectionBar</name>
    <message>
        <source>This wallet uses the original protection, which can be guessed quickly if the file is copied.</source>
        <translation>Этот кошелёк использует исходную защиту: если файл скопируют, пароль к нему быстро подберут.</translation>
    </message>
    <message>
        <source>Upgrade...</source>
        <translation>Усилить...</translation>
    </message>
    <message>
        <source>Do not show this again for this wallet</source>
        <translation>Больше не показывать для этого кошелька</translation>
    </message>
</context>
<context>
    <name>QCoreApplication</name>
    <message>
        <source>Your wallet was not replaced: %1.</source>
        <translation>Ваш кошелёк не заменён: %1.</translation>
    </message>
</context>
<context>
    <name>SearchBar</name>
    <message>
        <source>passwords</source>
        <translation>пароли</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Search names and values (Ctrl+F)</source>
        <translation>Поиск по названиям и значениям (Ctrl+F)</translation>
    </message>
    <message>
        <source>Include passwords in search</source>
        <translation>Искать и в паролях</translation>
    </message>
</context>
<context>
    <name>StrengthMeter</name>
    <message>
        <source>about 10^%1 guesses</source>
        <translation>около 10^%1 попыток подбора</translation>
    </message>
</context>
<context>
    <name>UnZip</name>
    <message>
        <source>ZIP operation completed successfully.</source>
        <translation>Операция ZIP успешно завершена.</translation>
    </message>
    <message>
        <source>Failed to initialize or load zlib library.</source>
        <translation>Не удалось инициализировать или загрузить библиотеку zlib.</translation>
    </message>
    <message>
        <source>zlib library error.</source>
        <translation>Ошибка библиотеки zlib.</translation>
    </message>
    <message>
        <source>Unable to create or open file.</source>
        <translation>Не удалось создать или открыть файл.</translation>
    </message>
    <message>
        <source>Partially corrupted archive. Some files might be extracted.</source>
        <translation>Архив частично повреждён. Некоторые файлы можно извлечь.</translation>
    </message>
    <message>
        <source>Corrupted archive.</source>
        <translation>Архив повреждён.</translation>
    </message>
    <message>
        <source>Wrong password.</source>
        <translation>Неверный пароль.</translation>
    </message>
    <message>
        <source>No archive has been created yet.</source>
        <translation>Архив ещё не создан.</translation>
    </message>
    <message>
        <source>File or directory does not exist.</source>
        <translation>Файл или папка не существует.</translation>
    </message>
    <message>
        <source>File read error.</source>
        <translation>Ошибка чтения файла.</translation>
    </message>
    <message>
        <source>File write error.</source>
        <translation>Ошибка записи файла.</translation>
    </message>
    <message>
        <source>File seek error.</source>
        <translation>Ошибка позиционирования в файле.</translation>
    </message>
    <message>
        <source>Unable to create a directory.</source>
        <translation>Не удалось создать папку.</translation>
    </message>
    <message>
        <source>Invalid device.</source>
        <translation>Недопустимое устройство.</translation>
    </message>
    <message>
        <source>Invalid or incompatible zip archive.</source>
        <translation>Недопустимый или несовместимый zip-архив.</translation>
    </message>
    <message>
        <source>Inconsistent headers. Archive might be corrupted.</source>
        <translation>Заголовки не согласованы. Архив может быть повреждён.</translation>
    </message>
    <message>
        <source>An entry would be written outside the target folder.</source>
        <translation>Элемент архива был бы записан вне целевой папки.</translation>
    </message>
    <message>
        <source>Unknown error.</source>
        <translation>Неизвестная ошибка.</translation>
    </message>
</context>
<context>
    <name>Zip</name>
    <message>
        <source>ZIP operation completed successfully.</source>
        <translation>Операция ZIP успешно завершена.</translation>
    </message>
    <message>
        <source>Failed to initialize or load zlib library.</source>
        <translation>Не удалось инициализировать или загрузить библиотеку zlib.</translation>
    </message>
    <message>
        <source>zlib library error.</source>
        <translation>Ошибка библиотеки zlib.</translation>
    </message>
    <message>
        <source>Unable to create or open file.</source>
        <translation>Не удалось создать или открыть файл.</translation>
    </message>
    <message>
        <source>No archive has been created yet.</source>
        <translation>Архив ещё не создан.</translation>
    </message>
    <message>
        <source>File or directory does not exist.</source>
        <translation>Файл или папка не существует.</translation>
    </message>
    <message>
        <source>File read error.</source>
        <translation>Ошибка чтения файла.</translation>
    </message>
    <message>
        <source>File write error.</source>
        <translation>Ошибка записи файла.</translation>
    </message>
    <message>
        <source>File seek error.</source>
        <translation>Ошибка позиционирования в файле.</translation>
    </message>
    <message>
        <source>The archive would pass the zip limits of 4 GiB and 65,535 entries.</source>
        <translation>Архив превысил бы пределы формата zip: 4 ГиБ и 65 535 элементов.</translation>
    </message>
    <message>
        <source>Unknown error.</source>
        <translation>Неизвестная ошибка.</translation>
    </message>
</context>
<context>
    <name>labels</name>
    <message>
        <source>Kelvaron Labels</source>
        <translation>Метки Kelvaron</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Ссылка</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Телефон</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>Эл. почта</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>A label needs a name.</source>
        <translation>У метки должно быть название.</translation>
    </message>
    <message>
        <source>The label could not be saved.</source>
        <translation>Метку не удалось сохранить.</translation>
    </message>
    <message>
        <source>The label could not be deleted.</source>
        <translation>Метку не удалось удалить.</translation>
    </message>
</context>
</TS>
