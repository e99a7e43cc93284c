/* Resource identifiers of Vistrel Selector, shared by the C++ sources and
   the resource script (QZSelect.rc). Keep to plain #defines so that the
   resource compiler can read this file as well. */
#ifndef VISTREL_RESOURCEIDS_H
#define VISTREL_RESOURCEIDS_H

/* Program icon */
#define IDI_MAINICON 1

/* Bitmaps */
#define IDB_LOGO 101    /* splash-screen logo, 195 x 75 */
#define IDB_PREVIEW 102 /* initial preview picture, 160 x 100 */

#endif /* VISTREL_RESOURCEIDS_H */
