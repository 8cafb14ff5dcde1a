// Fold class of each paper the folder takes: 1 folds alone and is never
// doubled (A3, B4, DLT, Legal), 2 folds alone or doubled (A4, Letter), 3
// folds only doubled. Both folding models take the same rows. The free
// sizes are 384-393, 256 and 448.
#include "jobsettings/rules/tables/rule_tables.h"

const FoldPaperSize SupportFoldPaperSize[] = {
    {8, 1, 0},   {12, 1, 0},  {3, 1, 0},   {5, 1, 0},   {9, 2, 0},   {1, 2, 0},   {6, 3, 0},
    {11, 3, 0},  {13, 3, 0},  {70, 3, 0},  {88, 3, 0},  {43, 3, 0},  {82, 3, 0},  {7, 3, 0},
    {514, 3, 0}, {513, 3, 0}, {14, 3, 0},  {517, 3, 0}, {93, 3, 0},  {384, 3, 0}, {385, 3, 0},
    {386, 3, 0}, {387, 3, 0}, {388, 3, 0}, {389, 3, 0}, {390, 3, 0}, {391, 3, 0}, {392, 3, 0},
    {393, 3, 0}, {256, 3, 0}, {448, 3, 0}, {0, 0, 0},
};
