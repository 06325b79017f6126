# The layers of the source tree, from the bottom up: name, rank and folders. A file may
# include headers of its own layer and of any layer of a lower rank, never of a layer
# above it nor of another layer of its own rank: the protocol and port (link) and the
# stores and file formats know nothing of each other, and the emulator builds its
# frames without the link. A folder that is not listed here has no place yet: the
# include check fails until it is given one. A subfolder may be listed on its own; the
# longest folder that holds a file decides its layer.
set(CALORANT_LAYERS
  "helpers   0 src/core"
  "link      1 src/link"
  "stores    1 src/record src/logger"
  "emulator  1 src/sim"
  "document  2 src/document"
  "windows   3 src/graph src/panel src/report src/loggerview"
  "programme 4 src/app src/cli"
)
