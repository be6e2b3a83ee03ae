#pragma once

// Layout is given in twips (1/1440 inch); the screen's logical DPI turns it into pixels.
int twipsToPixels(int twips, int logicalDpi);
