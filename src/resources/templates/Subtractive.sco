; Subtractive: one long note on A2; the panel shapes it.
#ifndef DUR
#define DUR #3600#
#end
i1 0 $DUR 110
e
