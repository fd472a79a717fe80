"""What the help pages say about the game."""
TEXTS = {
    'goal': "Gather the level's fruits: walk onto a fruit and it joins the line behind you. "
            "Carry as many fruits as the level asks and the next garden opens. The farmer never stops "
            "and cannot turn back, so plan your turns. Running into the edge of the field, a tree, a fence, "
            "a rock or an animal costs a life; biting your own line drops the fruits behind the bite.",
    'traps': {
        'RAIN': ('Rain', 'ruins every fruit it falls on'),
        'TORNADO': ('Tornado', 'wanders about, cuts your line and blows things away'),
        'FLOOD': ('Flood', 'ruins fruits, washes bonuses and scenery away'),
        'LIGHTENING': ('Lightning', 'strikes below and right of its cloud every few seconds'),
        'FIRE': ('Fire', 'burns fruits, flowers and trees; water puts it out'),
        'BOMB': ('Bomb', 'goes off when touched or when its fuse ends'),
        'POISONIVY': ('Poison ivy', 'deadly unless you carry an antidote'),
        'MUSHROOM': ('Toadstool', 'deadly unless you carry an antidote'),
        'STAR': ('Star', 'clears every trap off the field for ten seconds'),
        'BASKET': ('Basket', 'throws four new fruits around it'),
        'MOREFRUITS': ('More fruit', 'one more fruit on the field, up to ten'),
        'POISON': ("Witch's apple", 'deadly without an antidote; it cackles'),
        'ANTIDOTE': ('Antidote', 'saves you from one poison'),
        'DONATE': ('Donation box', 'takes some gold, or a third of your fruits'),
        'ANGEL': ('Angel', 'gives an extra life, up to five'),
        'GOLD': ('Gold', 'adds up to a hundred gold to your score'),
        'EXPLOSION': ('Explosion', 'wrecks everything around a bomb'),
    },
    'scenery': [
        ('water', 'Water', 'walk through it and every fruit is lost'),
        ('bridge_h', 'Bridge', 'the dry way across the water'),
        ('path_dirt', 'Paths', 'safe ground that nothing can destroy'),
        ('tulips', 'Flowers', 'safe to walk on, but they burn'),
        ('apple_tree', 'Trees', 'solid: walking into one costs a life'),
        ('fence_h', 'Fences, huts', 'solid, and fire burns them'),
        ('cow', 'Cows', 'solid; they do not like to be bumped'),
        ('tiger', 'Tigers', 'solid and very dangerous'),
        ('stone_wall', 'Rocks, walls', 'solid; only floods and bombs move them'),
    ],
}
