// The example program is a set of short worked calculations, one per class; each
// section prints what it computes and why, and main runs them in order.
#pragma once

void GeneralUtilitiesSection();
void TableLookupSection();
void MatricesSection();
void TableInterpolationSection();
void GeometrySection();
void SimultaneousEquationsSection();
