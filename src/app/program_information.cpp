#include "app/program_information.h"

namespace akt {
namespace {

QString helpText() {
    return QStringLiteral(
        "Użycie: aktualizacja SERWER BAZA UŻYTKOWNIK HASŁO TRYB [FOLDER]\n"
        "\n"
        "  SERWER      serwer Firebird; puste: plik bazy otwierany bezpośrednio\n"
        "  BAZA        ścieżka pliku bazy, tak jak widzi ją serwer\n"
        "  UŻYTKOWNIK  nazwa użytkownika bazy\n"
        "  HASŁO       hasło\n"
        "  TRYB        T (lub t): utworzenie nowej bazy; cokolwiek innego: aktualizacja istniejącej\n"
        "  FOLDER      dodatkowy folder skryptów, tylko przy tworzeniu (zakończ go znakiem /)\n"
        "\n"
        "Tworzenie bazy rusza samo pół sekundy po pokazaniu okna i wykonuje skrypty *.SQL z folderów\n"
        "DBSRC/, DBSRC/0/, DBSRC/5/, DBSRC/ADR/ obok programu oraz z folderu FOLDER. Bez ekranu\n"
        "działa bez okna: wiersze dziennika idą na standardowe wyjście, komunikaty na standardowe\n"
        "wyjście błędów.\n"
        "Aktualizacja: wybór pliku bazy przyciskiem ... pokazuje skrypty dla wersji bazy\n"
        "(DBSRC/1/ albo DBSRC/3/, DBSRC/5/, potem DBSRC/ADR/ i DBSRC/); Start wykonuje kopię\n"
        "bezpieczeństwa programem gbak, odtwarza ją w miejsce bazy i wykonuje skrypty.\n"
        "Przebieg zapisuje się w pliku log.txt obok programu.\n"
        "\n"
        "Kod wyjścia:\n"
        "  0  wszystkie skrypty wykonane do końca albo nie było przebiegu\n"
        "  1  nie można załadować biblioteki klienta Firebird\n"
        "  2  skrypt zatrzymany wcześniej (błędna instrukcja) albo odrzucone końcowe zatwierdzenie\n"
        "  3  przebieg przerwany: dane logowania, utworzenie lub połączenie z bazą, kopia lub\n"
        "     odtworzenie, baza używana przez inne połączenia, nieoczekiwany błąd, żądanie zakończenia\n"
        "     programu; aktualizacja bez ekranu\n"
        "\n"
        "aktualizacja --check [FOLDER]  sprawdzenie drzewa skryptów bez bazy danych (domyślnie DBSRC obok\n"
        "                               programu): problemy jako ścieżka:wiersz: opis; kod 0, 2 albo 3\n"
        "aktualizacja --help            ten opis\n"
        "aktualizacja --version         wersja programu\n");
}

} // namespace

std::optional<QString> programInformation(const QStringList& arguments) {
    if (arguments == QStringList{QStringLiteral("--help")})
        return helpText();
    if (arguments == QStringList{QStringLiteral("--version")})
        return QStringLiteral("aktualizacja %1\n").arg(QStringLiteral(AKT_VERSION));
    return std::nullopt;
}

} // namespace akt
