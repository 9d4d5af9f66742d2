#include "MadeUpSchool.h"

#include <array>
#include <numeric>
#include <set>
#include <string>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 60> kFirstNames = {
    "Ada",      "Bram",     "Cleo",   "Dario", "Elif",  "Finn",  "Greta",   "Hamid",   "Ines",
    "Jonas",    "Kaia",     "Lior",   "Mira",  "Nils",  "Oona",  "Pavel",   "Quinn",   "Rosa",
    "Sami",     "Tara",     "Ugo",    "Vera",  "Wim",   "Xenia", "Yusuf",   "Zora",    "Amara",
    "Benedikt", "Chiara",   "Dmitri", "Esme",  "Farid", "Gwen",  "Hugo",    "Ilse",    "Jasper",
    "Keiko",    "Leon",     "Maeve",  "Nico",  "Olga",  "Priya", "Rafael",  "Saoirse", "Tomas",
    "Uma",      "Valentin", "Wren",   "Yara",  "Zeno",  "Anouk", "Bastian", "Carmen",  "Desmond",
    "Eun-ji",   "Felix",    "Hana",   "Idris", "Juno",  "Kofi"};

constexpr std::array<std::string_view, 83> kLastNames = {
    "Achterberg",   "Brennan",    "Castellano", "Dubois",      "Eriksen",   "Fairweather",
    "Gallo",        "Hartmann",   "Ivers",      "Jansen",      "Kowalczyk", "Lindqvist",
    "Moreau",       "Novak",      "Okafor",     "Abernathy",   "Baptiste",  "Carvalho",
    "Delacroix",    "Eklund",     "Ferreira",   "Grimaldi",    "Haddad",    "Ishikawa",
    "Jovanovic",    "Kiplagat",   "Lombardi",   "MacAllister", "Nakamura",  "O'Sullivan",
    "Petrov",       "Quintero",   "Rasmussen",  "Szabo",       "Takahashi", "Urquhart",
    "Van der Berg", "Whitlock",   "Yilmaz",     "Zielinski",   "Adeyemi",   "Bergstrom",
    "Chatterjee",   "Dunmore",    "Esposito",   "Fitzgerald",  "Gonzaga",   "Holloway",
    "Ibarra",       "Jablonski",  "Kuznetsova", "Larkin",      "Mbeki",     "Nordahl",
    "Oyelaran",     "Pellegrino", "Quigley",    "Rautenbach",  "Santoro",   "Thorsen",
    "Ulrich",       "Vasquez",    "Wainwright", "Xu",          "Yamada",    "Zapata",
    "Ashdown",      "Bellamy",    "Cordova",    "Drummond",    "Ellsworth", "Fontaine",
    "Galloway",     "Hendricks",  "Iwu",        "Kessler",     "Lachance",  "Montalvo",
    "Nightingale",  "Ostrowski",  "Pemberton",  "Ravenscroft", "Sorensen"};

// Person k's names: the first name runs through its list with k while the last name steps by
// one more than that list's length, which meets every pair once as long as the step and the
// number of last names share no factor.
static_assert(std::gcd(kFirstNames.size() + 1, kLastNames.size()) == 1);

std::pair<std::string, std::string> NamesOf(int person) {
  const auto first = static_cast<std::size_t>(person) % kFirstNames.size();
  const auto round = static_cast<std::size_t>(person) / kFirstNames.size();
  const std::size_t last = (round * (kFirstNames.size() + 1) + first) % kLastNames.size();
  return {std::string(kFirstNames[first]), std::string(kLastNames[last])};
}

constexpr int kGrades = 8;
constexpr std::array<std::string_view, 3> kTitles = {"Mrs.", "Mr.", "Ms."};
constexpr std::array<std::string_view, MadeUpSchool::kOtherStaff> kStaffTitles = {
    "Principal", "Secretary", "Nurse", "Librarian", "Custodian"};

std::string FileName(int person) { return std::to_string(100001 + person) + ".jpg"; }

}  // namespace

int MadeUpSchool::MostPeople() { return static_cast<int>(kFirstNames.size() * kLastNames.size()); }

std::vector<SchoolPortrait> MadeUpSchool::Make(int groups, int pupils) {
  std::vector<SchoolPortrait> rows;
  rows.reserve(static_cast<std::size_t>(pupils + groups + kOtherStaff));
  std::vector<SchoolPortrait> teachers;
  std::set<std::string> teacherNames;
  int person = 0;
  for (int group = 0; group < groups; ++group) {
    // The groups fill the grades in order, so that each grade has about as many as the next.
    const std::string grade = std::to_string(1 + group * kGrades / groups);
    const std::string homeRoom = std::to_string(101 + group);
    const std::string folder = "Images\\Grade" + grade;
    auto [teacherFirst, teacherLast] = NamesOf(person++);
    const std::string title(kTitles[static_cast<std::size_t>(group) % kTitles.size()]);
    // Pupils are grouped by their Teacher Name, so two teachers of one title and last name
    // would make one class of two: a later one takes a double-barrelled name instead.
    for (std::size_t step = 1; teacherNames.contains(title + " " + teacherLast); ++step) {
      teacherLast =
          std::string(NamesOf(person - 1).second) + "-" +
          std::string(kLastNames[(static_cast<std::size_t>(group) + step * 7) % kLastNames.size()]);
    }
    const std::string teacherName = title + " " + teacherLast;
    teacherNames.insert(teacherName);
    teachers.push_back({"Images\\Faculty", FileName(person - 1), "Faculty", teacherLast,
                        teacherFirst, homeRoom, teacherName, title});
    const int size = pupils / groups + (group < pupils % groups ? 1 : 0);
    for (int pupil = 0; pupil < size; ++pupil) {
      auto [first, last] = NamesOf(person++);
      rows.push_back({folder, FileName(person - 1), grade, last, first, homeRoom, teacherName, ""});
    }
  }
  rows.insert(rows.end(), teachers.begin(), teachers.end());
  for (const std::string_view job : kStaffTitles) {
    auto [first, last] = NamesOf(person++);
    rows.push_back(
        {"Images\\Staff", FileName(person - 1), "Staff", last, first, "", "", std::string(job)});
  }
  return rows;
}

std::string MadeUpSchool::IndexText(const std::vector<SchoolPortrait>& rows,
                                    const std::string& volume) {
  std::string text;
  for (const SchoolPortrait& row : rows) {
    // Volume, Image Folder, Image File Name, Grade, Last Name, First Name, Home Room, Period,
    // Teacher Name, Track, Department, Title, Image Size;
    // the columns a school does not use stay empty, as they usually do.
    const std::string fields[] = {volume,
                                  row.Folder,
                                  row.File,
                                  row.Grade,
                                  row.LastName,
                                  row.FirstName,
                                  row.HomeRoom,
                                  "",
                                  row.TeacherName,
                                  "",
                                  "",
                                  row.Title,
                                  ""};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
      if (i > 0) text += '\t';
      text += fields[i];
    }
    text += "\r\n";
  }
  return text;
}
