// The entry point of the link checks: check_layer_<layer> links this with the whole of
// one layer and only the layers it names, so that a call running back up fails the link.
int main() { return 0; }
