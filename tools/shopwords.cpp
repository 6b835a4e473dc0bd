#include "shopwords.h"

#include <initializer_list>

#include "text/codepage.h"

namespace orvik::sampleshop {

namespace {

std::vector<std::string> toCodePage(std::initializer_list<const char*> utf8) {
    std::vector<std::string> words;
    for (const char* word : utf8)
        words.push_back(cp1252::fromUtf8(word));
    return words;
}

GroupWords group(const char* name, std::initializer_list<const char*> goods) {
    return {cp1252::fromUtf8(name), toCodePage(goods)};
}

} // namespace

const std::vector<GroupWords>& groupWords() {
    static const std::vector<GroupWords> groups{
        group("Maitotuotteet",
              {"Täysmaito", "Kevytmaito", "Rasvaton maito", "Piimä", "Jogurtti mansikka", "Viili",
               "Rahka", "Kermaviili", "Voi", "Juusto Edam"}),
        group("Leipä ja leivonnaiset", {"Ruisleipä", "Näkkileipä", "Sämpylä", "Paahtoleipä",
                                        "Pulla", "Karjalanpiirakka", "Korvapuusti"}),
        group("Hedelmät", {"Omena", "Banaani", "Appelsiini", "Päärynä", "Sitruuna", "Viinirypäle"}),
        group("Vihannekset",
              {"Peruna", "Porkkana", "Kurkku", "Tomaatti", "Sipuli", "Kaali", "Lanttu"}),
        group("Liha", {"Jauheliha", "Broilerin fileesuikale", "Porsaan ulkofilee", "Naudan paisti",
                       "Lihapullat"}),
        group("Kala", {"Lohifilee", "Silakka", "Muikku", "Kirjolohi", "Tonnikala"}),
        group("Leikkeleet", {"Keittokinkku", "Salami", "Meetvursti", "Kalkkunaleike"}),
        group("Makkarat", {"Lenkkimakkara", "Nakki", "Grillimakkara"}),
        group("Pakasteet",
              {"Jäätelö vanilja", "Pakastepizza", "Herneet", "Mustikka", "Kalapuikot"}),
        group("Kuivatuotteet",
              {"Vehnäjauho", "Kaurahiutale", "Riisi", "Makaroni", "Spagetti", "Sokeri"}),
        group("Mausteet", {"Suola", "Mustapippuri", "Kaneli", "Kardemumma", "Sinappi"}),
        group("Säilykkeet", {"Hernekeitto", "Ananaspala", "Tomaattimurska", "Maissi"}),
        group("Kahvi ja tee",
              {"Kahvi tumma paahto", "Kahvi vaalea paahto", "Musta tee", "Vihreä tee", "Kaakao"}),
        group("Juomat",
              {"Appelsiinimehu", "Kivennäisvesi", "Omenamehu", "Limonadi", "Puolukkamehu"}),
        group("Makeiset", {"Maitosuklaa", "Salmiakki", "Lakritsi", "Hedelmäkarkki", "Toffee"}),
        group("Keksit", {"Kaurakeksi", "Vohveli", "Piparkakku"}),
        group("Pesuaineet",
              {"Pyykinpesuaine", "Astianpesuaine", "Huuhteluaine", "Yleispuhdistusaine"}),
        group("Paperituotteet", {"WC-paperi", "Talouspaperi", "Nenäliina", "Lautasliina"}),
        group("Hygienia", {"Hammastahna", "Shampoo", "Suihkusaippua", "Deodorantti", "Partahöylä"}),
        group("Kosmetiikka", {"Käsivoide", "Huulivoide", "Kasvovoide"}),
        group("Lemmikit", {"Kissanruoka", "Koiranruoka", "Kissanhiekka"}),
        group("Kodintarvikkeet",
              {"Kynttilä", "Tulitikut", "Alumiinifolio", "Leivinpaperi", "Pakastepussi"}),
        group("Työkalut", {"Ruuvimeisseli", "Vasara", "Mittanauha", "Jatkojohto"}),
        group("Puutarha", {"Kukkamulta", "Siemenpussi", "Lannoite", "Istutusruukku"}),
        group("Sähkötarvikkeet", {"LED-lamppu", "Paristo AA", "Paristo AAA", "Sulake"}),
        group("Lehdet ja kirjat",
              {"Päivälehti", "Aikakauslehti", "Ristikkolehti", "Lasten kuvakirja"}),
        group("Vauvatuotteet", {"Vaippa", "Vauvanruoka", "Kosteuspyyhe"}),
        group("Sesonkituotteet", {"Joulukinkku", "Mämmi", "Sima", "Tippaleipä", "Glögi"}),
        group("Åländska produkter",
              {"Ålands svartbröd", "Ålandspannkaka", "Äppelmust", "Skärgårdssill"}),
        group("Toimistotarvikkeet", {"Kuulakärkikynä", "Vihko", "Kirjekuori", "Teippi"}),
        group("Kampanjatuotteet", {"Kampanjakassi", "Lahjakortti", "Arpa"}),
        group("Poistuneet tuotteet", {"Vanha malli", "Loppuerä"}),
    };
    return groups;
}

const std::vector<std::string>& classWords() {
    static const std::vector<std::string> classes =
        toCodePage({"Perusvalikoima", "Kampanja", "Luomu", "Kotimainen", "Tuontituote", "Sesonki",
                    "Poistuva", "Oma merkki"});
    return classes;
}

const std::vector<std::string>& supplierWords() {
    static const std::vector<std::string> suppliers = toCodePage({"Maitokunta Pohjola Oy",
                                                                  "Leipomo Kärkkäinen Oy",
                                                                  "Tukku Österberg Ab",
                                                                  "Vihannestila Mäkelä",
                                                                  "Lihajaloste Häkkinen Oy",
                                                                  "Kalatukku Åström Ab",
                                                                  "Paahtimo Sävelä Oy",
                                                                  "Makeistehdas Kivelä",
                                                                  "Puhdas Koti Oy",
                                                                  "Paperitehdas Järvelä",
                                                                  "Kemia Ylänne Oy",
                                                                  "Eläinruoka Hännikäinen",
                                                                  "Rautakauppa Töyrylä",
                                                                  "Puutarha Mänty Oy",
                                                                  "Sähkö-Ässä Oy",
                                                                  "Lehtipiste Kärki",
                                                                  "Vauvaväki Oy",
                                                                  "Juhlatuote Ålander",
                                                                  "Toimistotarvike Pöllö",
                                                                  "Mehuasema Räsänen",
                                                                  "Pakastetukku Kylmä Oy",
                                                                  "Mausteveljet Oy",
                                                                  "Säilyke Öhman Ab",
                                                                  "Keksitehdas Lämmin",
                                                                  "Juomatehdas Kuohu Oy"});
    return suppliers;
}

const std::vector<std::string>& sizeWords() {
    static const std::vector<std::string> sizes =
        toCodePage({"1 l", "0,5 l", "1,5 l", "200 g", "400 g", "500 g", "1 kg", "2 kg", "6 kpl",
                    "10 kpl", "irto", "luomu", "pieni", "iso", "", ""});
    return sizes;
}

} // namespace orvik::sampleshop
