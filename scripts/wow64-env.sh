# Sourced: where the machine-wide Wine 10 root lives. It sits outside every
# checkout so fresh clones and CI on the same machine reuse it; the wrappers
# in its bin folder stay outside the root itself, which sees the checkout.
MIRVASHEL_WOW64_CACHE=/var/cache/mirvashel-wine10
MIRVASHEL_WOW64_ROOT=$MIRVASHEL_WOW64_CACHE/root
MIRVASHEL_WOW64_BIN=$MIRVASHEL_WOW64_CACHE/bin
MIRVASHEL_WOW64_STAMP=$MIRVASHEL_WOW64_CACHE/recipe
