// Packed sizes of the payload resources. Placeholders until the build packs
// the real payload and measures it.
#ifndef SETUP_PAYLOAD_SIZES_H
#define SETUP_PAYLOAD_SIZES_H

#define PACKED_SIZE_CLEANUP_98  42113
#define PACKED_SIZE_CLEANUP_XP  60800
#define PACKED_SIZE_PROGRAM_98  84305
#define PACKED_SIZE_PROGRAM_XP  110036
#define PACKED_SIZE_PROGRAMHLP  36204
#define PACKED_SIZE_UPDATER     29817
#define PACKED_SIZE_ORDER       755
#define PACKED_SIZE_REGINFO     555

#endif
