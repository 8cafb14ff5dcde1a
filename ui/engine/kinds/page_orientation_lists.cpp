// Which page pictures show a portrait page and which a landscape one: a
// picture item that paints one of them offers the preview hook a box of
// that orientation.
#include "ui/engine/kinds/picture_items.h"

const WORD port[kPortraitPictures + 1] = {
    6001, 6004, 6005, 6008, 6009, 6011, 6013, 6016, 6017, 6019, 6021, 6023,
    6025, 6027, 6029, 6031, 6033, 6037, 6040, 6043, 6046, 7414, 0,
};

const WORD land[kLandscapePictures + 1] = {
    6002, 6003, 6006, 6007, 6010, 6012, 6014, 6015, 6018, 6020, 6022, 6024, 6026,
    6028, 6030, 6032, 6034, 6035, 6036, 6038, 6039, 6041, 6042, 6044, 6045, 7415, 0,
};
