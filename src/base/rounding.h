// Rounding as the framework's Round does it: to the nearest integer, halves
// to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
#pragma once

int RoundHalfEven(double v);
