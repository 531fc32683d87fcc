; FMBells: the striker runs for the whole performance.
#ifndef DUR
#define DUR #3600#
#end
i1 0 $DUR
e
