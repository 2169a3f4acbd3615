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

TEST(DureeEnTexte, TheCalendarAcrossCenturiesLandsOnTheGregorianDate) {
  // Each n is the count of days from 1 January 1900 to the date beside it in
  // the Gregorian calendar: 1900 and 2100 are no leap years, 2000 and 2400
  // are; from 36,524 on, whole 400-year cycles are skipped before the walk.
  struct Jour {
    long long n;
    int annee, mois, jour;
  } dates[] = {
      {0, 1900, 1, 1},       {59, 1900, 3, 1},      {364, 1900, 12, 31},  {36523, 1999, 12, 31}, {36524, 2000, 1, 1},
      {36583, 2000, 2, 29},  {36889, 2000, 12, 31}, {73107, 2100, 2, 28}, {73108, 2100, 3, 1},   {182620, 2399, 12, 31},
      {182680, 2400, 2, 29}, {182987, 2401, 1, 1},  {200000, 2447, 8, 1}, {328777, 2800, 2, 29},
  };
  for (const Jour& d : dates) {
    long long a = -1;
    int mo = -1, j = -1;
    DecoupeJours(static_cast<double>(d.n), a, mo, j);
    EXPECT_EQ(a, d.annee - 1900) << d.n;
    EXPECT_EQ(mo, d.mois - 1) << d.n;
    EXPECT_EQ(j, d.jour - 1) << d.n;
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
