#pragma once
// Durations as the progress window writes them: a date-time value (days, one
// second being 1/86,400) cut into calendar years, months and days counted
// from 1 January 1900, and hours, minutes and seconds, in French.

#include "common/ShortString.h"

// Hours, minutes and seconds of the fractional part of x. Each product is a
// double before the next step and every whole part is truncated, so a value
// a hair under a second shows one second less.
void DecoupeHeure(double x, int& heures, int& minutes, int& secondes);

// The date n days after 1 January 1900 in the Gregorian calendar, where n is
// the whole part of x, as elapsed years, months and days (the date's year
// - 1900, month - 1, day - 1); all 0 when n is 0.
void DecoupeJours(double x, long long& annees, int& mois, int& jours);

// Moves the date (annee, mois 1..12, jour 1..31) on by n days, one day at a
// time.
void AjouteJours(long long& annee, int& mois, int& jour, long long n);

// The French text of a duration of x days, e.g. "1h04s", "un an 1 mois 4
// jours ", "0s" for nothing. A negative or undefined x reads as 0.
ShortString DureeEnTexte(double x);
