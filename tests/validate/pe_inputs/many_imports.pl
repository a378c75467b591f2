# Writes many/sdk.def, 65,000 exports of pluginsdk.dll, and many/plugin.s,
# data that refers to every one of them, so that the plugin imports them all.
open(my $def, '>', 'many/sdk.def') or die;
open(my $asm, '>', 'many/plugin.s') or die;
print $def "LIBRARY pluginsdk.dll\nEXPORTS\n";
print $asm ".data\n";
for my $index (0 .. 64999) {
  print $def "  function$index\n";
  print $asm "  .quad __imp_function$index\n";
}
