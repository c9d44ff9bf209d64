// Resource ids of the UI library's test program.
#pragma once

#define IDB_TEST_GREYS4 \
    201   // 16 x 15, 16 colours: light grey ground, black, dark grey and white blocks, a red pixel
#define IDB_TEST_GREYS24 202   // the same in 24 bits per pixel
