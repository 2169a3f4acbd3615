// Durations in French: the truncating split of a day into hours, minutes
// and seconds, the calendar walk from 1 January 1900, and the text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/Duree.h"

namespace {

std::string Secondes(double s) { return DureeEnTexte(s / 86400).str(); }
std::string Jours(double d) { return DureeEnTexte(d).str(); }

}  // namespace

TEST(DureeEnTexte, SecondsMinutesAndHoursAsTheProgressWindowShowsThem) {
  EXPECT_EQ(Secondes(0), "0s");
  EXPECT_EQ(Secondes(0.5), "0s");
  EXPECT_EQ(Secondes(5), "05s");
  EXPECT_EQ(Secondes(75), "01mn15s");
  EXPECT_EQ(Secondes(3600), "1h");
  EXPECT_EQ(Secondes(36450), "10h07mn30s");
  EXPECT_EQ(Secondes(600), "10mn");
}

TEST(DureeEnTexte, ASecondAHairShortIsTruncatedNotRounded) {
  // 3,605 / 86,400 days comes out at 4.99999... seconds, 12 at 11.99999...
  EXPECT_EQ(Secondes(3605), "1h04s");
  EXPECT_EQ(Secondes(12), "11s");
  int h = -1, m = -1, s = -1;
  DecoupeHeure(3605.0 / 86400, h, m, s);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(m, 0);
  EXPECT_EQ(s, 4);
}

TEST(DureeEnTexte, DaysMonthsAndYearsFollowTheCalendarFrom1900) {
  EXPECT_EQ(Jours(1.0), "un jour ");
  EXPECT_EQ(Jours(1.5), "un jour 12h");
  EXPECT_EQ(Jours(2), "2 jours ");
  EXPECT_EQ(Jours(31), "1 mois ");
  EXPECT_EQ(Jours(59), "2 mois ");  // January 1900 has 31 days, February 28
  EXPECT_EQ(Jours(60), "2 mois un jour ");
  EXPECT_EQ(Jours(365), "un an ");  // 1900 is no leap year
  EXPECT_EQ(Jours(400), "un an 1 mois 4 jours ");
  EXPECT_EQ(Jours(730), "2 ans ");
  EXPECT_EQ(Jours(731), "2 ans un jour ");
  // 1904 is a leap year: its 29 February is 1,519 days on, 1 March 1,520.
  long long a = -1;
  int mo = -1, j = -1;
  DecoupeJours(1519, a, mo, j);
  EXPECT_EQ(a, 4);
  EXPECT_EQ(mo, 1);
  EXPECT_EQ(j, 28);
  DecoupeJours(1520, a, mo, j);
  EXPECT_EQ(mo, 2);
  EXPECT_EQ(j, 0);
  DecoupeJours(0.9, a, mo, j);
  EXPECT_EQ(a + mo + j, 0);
}

TEST(DureeEnTexte, TheCalendarAcrossCenturiesMatchesADayByDayWalk) {
  // 2000 is a leap year, 2100 is not: whole cycles and whole years skipped
  // give the date that walking one day at a time reaches.
  for (long long n : {36524LL, 36525LL, 36584LL, 36585LL, 73048LL, 73049LL, 146097LL + 36524LL, 200000LL}) {
    long long annee = 1900, a = 0;
    int mois = 1, jour = 1, mo = 0, j = 0;
    AjouteJours(annee, mois, jour, n);
    DecoupeJours(static_cast<double>(n), a, mo, j);
    EXPECT_EQ(a, annee - 1900) << n;
    EXPECT_EQ(mo, mois - 1) << n;
    EXPECT_EQ(j, jour - 1) << n;
  }
  long long annee = 1999;
  int mois = 12, jour = 31;
  AjouteJours(annee, mois, jour, 60);
  EXPECT_EQ(annee, 2000);
  EXPECT_EQ(mois, 2);
  EXPECT_EQ(jour, 29);
}

TEST(DureeEnTexte, NoDurationGivesNoTextToWalkForever) {
  EXPECT_EQ(Jours(-1.5), "0s");
  EXPECT_EQ(Jours(std::nan("")), "0s");
  // Far beyond any wait: bounded, and still a duration in years.
  std::string t = Jours(std::numeric_limits<double>::infinity());
  EXPECT_NE(t.find(" ans "), std::string::npos) << t;
  EXPECT_LE(t.size(), 255u);
}
