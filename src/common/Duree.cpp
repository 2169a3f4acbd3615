#include "common/Duree.h"

#include <cmath>
#include <string>

namespace {

// Whole parts beyond this are no duration a person waits for; they are
// capped so that the calendar walk and the numbers stay bounded.
constexpr double JoursMax = 1e15;

bool Bissextile(long long a) { return (a % 4 == 0 && a % 100 != 0) || a % 400 == 0; }

int JoursDuMois(long long a, int m) {
  static constexpr int Longueurs[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && Bissextile(a) ? 29 : Longueurs[m - 1];
}

double PartieEntiere(double v) { return std::trunc(v); }
double PartieDecimale(double v) { return v - std::trunc(v); }

// A duration that the calendar can walk: not negative, not NaN, capped.
double Borne(double x) {
  if (!(x > 0)) return 0;
  return x > JoursMax ? JoursMax : x;
}

std::string DeuxChiffres(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

}  // namespace

void DecoupeHeure(double x, int& heures, int& minutes, int& secondes) {
  x = Borne(x);
  const double t1 = PartieDecimale(x) * 24;
  heures = static_cast<int>(PartieEntiere(t1));
  const double t2 = PartieDecimale(t1) * 60;
  minutes = static_cast<int>(PartieEntiere(t2));
  const double t3 = PartieDecimale(t2) * 60;
  secondes = static_cast<int>(PartieEntiere(t3));
}

void AjouteJours(long long& annee, int& mois, int& jour, long long n) {
  for (; n > 0; --n) {
    if (jour < JoursDuMois(annee, mois)) {
      ++jour;
    } else if (mois < 12) {
      ++mois;
      jour = 1;
    } else {
      ++annee;
      mois = 1;
      jour = 1;
    }
  }
}

void DecoupeJours(double x, long long& annees, int& mois, int& jours) {
  long long n = static_cast<long long>(PartieEntiere(Borne(x)));
  long long annee = 1900;
  // Whole 400-year cycles (146,097 days each, starting on 1 January of a
  // year divisible by 100) first, then whole years: the day walk below never
  // has more than a year to go.
  if (n >= 100 * 365 + 24) {
    n -= 100 * 365 + 24;  // 1900 to 1999: 1900 is no leap year
    annee = 2000;
    annee += n / 146097 * 400;
    n %= 146097;
  }
  for (int longueur = Bissextile(annee) ? 366 : 365; n >= longueur; longueur = Bissextile(annee) ? 366 : 365) {
    n -= longueur;
    ++annee;
  }
  int m = 1, j = 1;
  AjouteJours(annee, m, j, n);
  annees = annee - 1900;
  mois = m - 1;
  jours = j - 1;
}

ShortString DureeEnTexte(double x) {
  long long annees = 0;
  int mois = 0, jours = 0, heures = 0, minutes = 0, secondes = 0;
  DecoupeHeure(x, heures, minutes, secondes);
  DecoupeJours(x, annees, mois, jours);
  ShortString t;
  if (annees == 1) t += "un an ";
  if (annees > 1) t += std::to_string(annees) + " ans ";
  if (mois >= 1) t += std::to_string(mois) + " mois ";
  if (jours == 1) t += "un jour ";
  if (jours > 1) t += std::to_string(jours) + " jours ";
  if (heures >= 1) t += std::to_string(heures) + "h";
  if (minutes >= 1) t += DeuxChiffres(minutes) + "mn";
  if (secondes >= 1) t += DeuxChiffres(secondes) + "s";
  if (t.empty()) t = "0s";
  return t;
}
